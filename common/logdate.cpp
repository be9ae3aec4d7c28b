#include "common/logdate.h"

namespace zelmor {

int ExpandTwoDigitYear(int yy) { return yy >= 50 ? 1900 + yy : 2000 + yy; }

namespace {
inline int Code(char c) { return static_cast<unsigned char>(c); }
inline int Code(QChar c) { return c.unicode(); }

template <class View>
int DateNumberOf(View s) {
    // No trimming: "12.05.20  " is a half-typed four-digit year, not 2020.
    const qsizetype b = 0, n = s.size();
    if (n != 8 && n != 10) return 0;
    auto digit = [&](qsizetype i) -> int {
        const int c = Code(s[b + i]);
        return (c >= '0' && c <= '9') ? c - '0' : -1;
    };
    if (Code(s[b + 2]) != '.' || Code(s[b + 5]) != '.') return 0;
    int v[8];
    const int pos[] = {0, 1, 3, 4, 6, 7, 8, 9};
    const int digits = n == 10 ? 8 : 6;
    for (int k = 0; k < digits; ++k)
        if ((v[k] = digit(pos[k])) < 0) return 0;
    const int day = v[0] * 10 + v[1], month = v[2] * 10 + v[3];
    const int year = n == 10 ? v[4] * 1000 + v[5] * 100 + v[6] * 10 + v[7] : ExpandTwoDigitYear(v[4] * 10 + v[5]);
    if (!QDate::isValid(year, month, day)) return 0;
    return year * 10000 + month * 100 + day;
}
} // namespace

int LogDateNumber(QByteArrayView bytes) { return DateNumberOf(bytes); }

std::optional<QDate> ParseLogDate(QStringView text) {
    const int n = DateNumberOf(text);
    if (n == 0) return std::nullopt;
    return QDate(n / 10000, n / 100 % 100, n % 100);
}

QString DateSortKey(QStringView text) {
    const auto d = ParseLogDate(text);
    return d ? d->toString(QStringLiteral("yyyy.MM.dd")) : text.toString();
}

bool IsLogTime(QStringView t) {
    if (t.size() != 5 || t[2] != u':') return false;
    for (int i : {0, 1, 3, 4})
        if (t[i].unicode() < '0' || t[i].unicode() > '9') return false;
    const int h = (t[0].unicode() - '0') * 10 + (t[1].unicode() - '0');
    const int m = (t[3].unicode() - '0') * 10 + (t[4].unicode() - '0');
    return h < 24 && m < 60;
}

} // namespace zelmor
