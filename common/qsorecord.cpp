#include "common/qsorecord.h"

#include "common/codepage.h"
#include "common/text.h"

namespace zelmor {

QString QslCode(const QString &word) {
    if (word.isEmpty()) return QString();
    if (word == QslNotToSend) return QStringLiteral("Н");
    if (Trim(word) == QslToSend) return QStringLiteral("О");
    if (word == QslSent) return QStringLiteral("Y");
    if (word == QslReceived) return QStringLiteral("П");
    if (word == QslSentAndReceived) return QStringLiteral("N");
    return QStringLiteral("@");
}

QString QslCodeOfRaw(QByteArrayView raw) {
    // The codes are few: return shared strings so a million-record log keeps
    // no million copies.
    static const QString codeN = QStringLiteral("Н"), codeO = QStringLiteral("О"), codeY = QStringLiteral("Y"),
                         codeP = QStringLiteral("П"), codeNN = QStringLiteral("N"), codeAt = QStringLiteral("@");
    static const QByteArray notToSend = ToCp1251(QslNotToSend), sent = ToCp1251(QslSent),
                            received = ToCp1251(QslReceived), both = ToCp1251(QslSentAndReceived);
    if (raw.isEmpty()) return QString();
    if (raw == notToSend) return codeN;
    if (raw == sent) return codeY;
    if (raw == received) return codeP;
    if (raw == both) return codeNN;
    const QString code = QslCode(FromCp1251(raw));
    if (code == codeO) return codeO;
    return codeAt;
}

} // namespace zelmor
