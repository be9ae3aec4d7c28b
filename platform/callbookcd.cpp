#include "platform/callbookcd.h"

#include <algorithm>
#include <cstring>

namespace zelmor {

QString NoCallbookCd::failure() const {
    return QStringLiteral("библиотека CD (callbook) есть только для Windows");
}

bool FakeCallbookCd::GetVersionNr(quint16 *version) {
    calls.push_back({QStringLiteral("GetVersionNr"), {}, {}, 0});
    if (failAt == calls.back().name) return false;
    *version = 0x0102;
    return true;
}

bool FakeCallbookCd::CheckDatabaseFormat(quint16 *db, quint16 *result, const char path[PathSize]) {
    calls.push_back({QStringLiteral("CheckDatabaseFormat"), QByteArray(path, PathSize), {}, *db});
    if (failAt == calls.back().name) return false;
    *db = database;
    *result = 0;
    return true;
}

bool FakeCallbookCd::GetCallInfo(quint16 *db, char result[ResultSize], const char call[CallSize],
                                 const char path[PathSize]) {
    calls.push_back({QStringLiteral("GetCallInfo"), QByteArray(path, PathSize), QByteArray(call, CallSize), *db});
    if (failAt == calls.back().name) return false;
    std::memcpy(result, this->result.constData(), size_t(std::min<qsizetype>(this->result.size(), ResultSize)));
    return true;
}

namespace platform {
namespace {
CallbookCd *g_cd = nullptr;
}
CallbookCd &callbookCd() {
    static NoCallbookCd none;
    return g_cd ? *g_cd : none;
}
void install(CallbookCd *cd) { g_cd = cd; }
} // namespace platform

} // namespace zelmor
