#pragma once
// What the three element editors of the layout editor share: the name list,
// OK and Del, the coordinate fields, and the read of the current layout.
#include "common/qsllayoutelement.h"

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;
class QToolButton;

namespace zelmor {

// A coordinate: any 32-bit integer can be typed; the arrows (buttons, Up
// and Down keys) step by one and stay within the field's range.
class CoordinateField : public QWidget {
    Q_OBJECT
public:
    CoordinateField(const QString &objectName, int min, int max, QWidget *parent = nullptr);
    QLineEdit *edit() const { return edit_; }
    // The typed number; nothing when it is not a 32-bit integer.
    std::optional<qint32> value() const;
    void setValue(qint32 v);
    void stepBy(int steps);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QLineEdit *edit_;
    int min_, max_;
};

class ElementEditor : public QWidget {
    Q_OBJECT
public:
    ElementEditor(qint32 kind, const QString &objectName, const QString &captionStem, QWidget *parent);

    QComboBox *nameList() const { return names_; }
    // Stores the element of the fields; false when nothing was stored (an
    // empty name or a bad coordinate has the focus then).
    bool okClick();
    // Deletes the element of this kind and name.
    bool delClick();
    // Loads the first element of this kind with the list's name.
    void nameChosen();
    // Loads one element (the element list's choice).
    virtual void loadElement(const QslLayoutElement &e) = 0;
    // The name list and the caption of the current layout.
    void refresh();

protected:
    void showEvent(QShowEvent *e) override;
    // The fields as an element; nothing when a coordinate is bad (the field
    // has the focus then).
    virtual std::optional<QslLayoutElement> fieldsElement() = 0;
    // Reads a coordinate into `to`; false (field focused) when bad.
    static bool take(CoordinateField *f, qint32 &to);
    QComboBox *names_;
    qint32 kind_;
    QString captionStem_;
};

// Opens the colour dialog on `colour`; true when one was chosen.
bool ChooseColour(qint32 &colour, const QString &title);

} // namespace zelmor
