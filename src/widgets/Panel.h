#pragma once

#include "widgets/Control.h"

namespace lumotrix {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
LUMOTRIX_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner = nullptr);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TBevelCut BevelInner() const { return FInner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return FOuter; }
    void SetBevelOuter(TBevelCut cut);

private:
    void UpdateFrame();
    QString FCaption;
    TBevelCut FInner = bvNone;
    TBevelCut FOuter = bvRaised;
};

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
};

// A picture: one of the program's drawn pictures by name (see CommandIcon), scaled to the
// control when Stretch is set.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner = nullptr);
    QString PictureName() const { return FPicture; }
    void SetPictureName(const QString& name);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);

protected:
    void Resized() override;

private:
    void Render();
    QString FPicture = QStringLiteral("program");
    bool FStretch = false;
};

} // namespace lumotrix
