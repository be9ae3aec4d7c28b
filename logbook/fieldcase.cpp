#include "logbook/fieldcase.h"

#include <QLineEdit>

namespace zelmor {

QString InCase(const QString &text, FieldCase c) {
    switch (c) {
    case FieldCase::Upper: return text.toUpper();
    case FieldCase::FirstUpper: return text.left(1).toUpper() + text.mid(1);
    case FieldCase::FirstUpperRest: return text.left(1).toUpper() + text.mid(1).toLower();
    }
    return text;
}

QValidator::State CaseValidator::validate(QString &input, int &) const {
    // The same length in every case, so the caret stays where it was.
    const QString cased = InCase(input, case_);
    if (cased.size() == input.size()) input = cased;
    return Acceptable;
}

void SetFieldCase(QLineEdit *field, FieldCase c, int maxLength) {
    field->setMaxLength(maxLength);
    field->setValidator(new CaseValidator(c, field));
}

} // namespace zelmor
