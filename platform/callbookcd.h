#pragma once
// The callbook CD's vendor library. It exists only as a Windows DLL, so the
// program's own back-end has nothing to call and says so; the interface
// keeps the library's three calls with their buffers, so a back-end that has
// the library (or a test fake) slots in unchanged.
#include <QByteArray>
#include <QString>
#include <vector>

namespace zelmor {

class CallbookCd {
public:
    static constexpr int PathSize = 181;   // zero-terminated folder of the CD
    static constexpr int CallSize = 8;     // zero-padded, no terminator needed
    static constexpr int ResultSize = 523; // the library's answer
    virtual ~CallbookCd() = default;
    // Whether there is a library to call at all.
    virtual bool available() const = 0;
    // Each returns false when the library reports a failure; failure() then
    // says why, in the operator's words.
    virtual bool GetVersionNr(quint16 *version) = 0;
    virtual bool CheckDatabaseFormat(quint16 *database, quint16 *result, const char path[PathSize]) = 0;
    virtual bool GetCallInfo(quint16 *database, char result[ResultSize], const char call[CallSize],
                             const char path[PathSize]) = 0;
    virtual QString failure() const = 0;
};

// This platform's back-end: no library, nothing is ever called.
class NoCallbookCd : public CallbookCd {
public:
    bool available() const override { return false; }
    bool GetVersionNr(quint16 *) override { return false; }
    bool CheckDatabaseFormat(quint16 *, quint16 *, const char *) override { return false; }
    bool GetCallInfo(quint16 *, char *, const char *, const char *) override { return false; }
    QString failure() const override;
};

// Records every call with copies of the buffers it was given and answers
// from a script.
class FakeCallbookCd : public CallbookCd {
public:
    struct Call {
        QString name;    // "GetVersionNr", "CheckDatabaseFormat", "GetCallInfo"
        QByteArray path; // all PathSize bytes, when the call takes the path
        QByteArray call; // all CallSize bytes, for GetCallInfo
        quint16 database = 0;
    };
    std::vector<Call> calls;
    bool isAvailable = true;
    QByteArray result;       // copied into the result buffer, at most ResultSize bytes
    QString failAt;          // the name of the call that fails, if any
    QString failureText = QStringLiteral("диск не найден");
    quint16 database = 3;    // what CheckDatabaseFormat hands out

    bool available() const override { return isAvailable; }
    bool GetVersionNr(quint16 *version) override;
    bool CheckDatabaseFormat(quint16 *database, quint16 *result, const char path[PathSize]) override;
    bool GetCallInfo(quint16 *database, char result[ResultSize], const char call[CallSize],
                     const char path[PathSize]) override;
    QString failure() const override { return failureText; }
};

namespace platform {
CallbookCd &callbookCd();
void install(CallbookCd *cd); // not owned; nullptr restores NoCallbookCd
} // namespace platform

} // namespace zelmor
