#pragma once

#include "runtime/Classes.h"

namespace lumotrix {

// The open and save dialogs as form components; Execute asks through FileDialogs(), so tests
// answer them from a script. Filter uses the form notation "Timer|*.tmr|Tutti|*.*".
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner = nullptr) : TComponent(owner) {}
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& name) { FFileName = name; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& filter) { FFilter = filter; }
    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString& ext) { FDefaultExt = ext; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& dir) { FInitialDir = dir; }
    // True when the user chose a file (FileName then holds it).
    virtual bool Execute();

    // "Timer|*.tmr|Tutti|*.*" -> "Timer (*.tmr);;Tutti (*.*)". A dangling description without
    // a pattern is kept with "*".
    static QString QtFilter(const QString& filter);

protected:
    QString FFileName, FFilter, FDefaultExt, FTitle, FInitialDir;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override;
};

} // namespace lumotrix
