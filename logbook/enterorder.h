#pragma once
// The Enter walk over the entry fields: the order is a comma-terminated list
// of field keys ("CALL,NAME,QTH,...,CALL,").
#include <QString>
#include <functional>
#include <optional>

namespace zelmor {

inline const QString DefaultEnterOrder =
    QStringLiteral("CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,");

// True for the keys of the entry fields.
bool IsEntryKey(const QString &key);

// The key of the field to focus after `key`: the next key in the order whose
// field takes part ("CALL" always does). No value when the walk ends without
// a field: the order runs out, meets an unknown key, or does not hold `key`.
std::optional<QString> NextEntryKey(const QString &order, const QString &key,
                                    const std::function<bool(const QString &)> &takesPart);

} // namespace zelmor
