#pragma once

#include "app/HoravelFormFields.h"

#include <QObject>
#include <map>

namespace lumotrix {

class TControl;

// The temperature page's rows of labels and editors, placed by hand in the form, keep their
// places only while the labels are as short as the Italian ones: a translated label or a long
// band text ("Ausgang aktiv ab 26,5°C aufwärts") pushes the editors after it to the right, and
// the group box grows to hold them. Done whenever the page is shown or a label changes on it.
class TTemperatureRows : public QObject {
public:
    explicit TTemperatureRows(const TForm1Fields& fields) : F(fields) {}

    // Starts following the group box that holds the rows; again after a new form is read.
    void Watch();
    void Arrange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TForm1Fields& F;
    // Where the form put each control: a row never moves left of it.
    std::map<const TControl*, int> FDesignLeft;
    int FDesignWidth = 0;
    bool FArranging = false;
};

} // namespace lumotrix
