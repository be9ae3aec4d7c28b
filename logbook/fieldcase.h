#pragma once
// Fields whose text takes a case as it is typed: a call in capitals, a name
// with a capital first letter. The text is changed before the field takes
// it, so a listener of the field sees each keystroke once, already in its
// case, and a text set by the program is held to the same rule.
#include <QValidator>

class QLineEdit;

namespace zelmor {

enum class FieldCase {
    Upper,          // every letter upper case
    FirstUpper,     // the first letter upper case, the rest as typed
    FirstUpperRest, // the first letter upper case, the rest lower case
};

QString InCase(const QString &text, FieldCase c);

class CaseValidator : public QValidator {
    Q_OBJECT
public:
    CaseValidator(FieldCase c, QObject *parent) : QValidator(parent), case_(c) {}
    State validate(QString &input, int &pos) const override;

private:
    FieldCase case_;
};

// The field keeps at most `maxLength` characters, in the case given.
void SetFieldCase(QLineEdit *field, FieldCase c, int maxLength);

} // namespace zelmor
