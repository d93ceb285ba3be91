#pragma once

#include "widgets/Control.h"

class QCheckBox;
class QPushButton;

namespace lumotrix {

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Checked() const;
    // Raises OnClick when the state changes, whoever changes it.
    void SetChecked(bool checked);

private:
    QCheckBox* Box() const;
};

enum TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };
LUMOTRIX_ENUM_NAMES(TModalResult, "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                    "mrYes", "mrNo")

class TButton : public TControl {
public:
    explicit TButton(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Default() const;
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // A button with a modal result closes its modal form with that result.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    void Click();

private:
    QPushButton* Button() const;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

} // namespace lumotrix
