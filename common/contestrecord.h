#pragma once
// A record of a contest log written by another program (".tst"): 619 bytes,
// length-prefixed cp1251 fields, no header. No part of this program writes
// such files; the log management converts them into the log and the
// exchange window lists them as text.
#include "common/recordfile.h"

#include <QString>
#include <array>

namespace zelmor {

struct ContestRecord {
    static constexpr int Size = 619;
    QString number;
    QString call;
    QString date; // "dd.mm.yyyy"
    QString time;
    QString band; // one of the log's band texts
    QString mode;
    QString sent;
    QString received;
    QString receivedExchange;
    QString points;
    QString country;
    QString waz;
    QString itu;
    QString deleteMark; // "Delet" or empty
    QString regionNumber;
    QString mult1;
    QString mult2;
    static const std::array<FieldOf<ContestRecord>, 17> Fields;
};

// The room of each field is the distance to the next field that is read.
inline const std::array<FieldOf<ContestRecord>, 17> ContestRecord::Fields = {{
    {0, 6, &ContestRecord::number},
    {7, 20, &ContestRecord::call},
    {28, 10, &ContestRecord::date},
    {39, 10, &ContestRecord::time},
    {50, 10, &ContestRecord::band},
    {61, 10, &ContestRecord::mode},
    {72, 26, &ContestRecord::sent},
    {99, 10, &ContestRecord::received},
    {110, 329, &ContestRecord::receivedExchange},
    {440, 10, &ContestRecord::points},
    {451, 101, &ContestRecord::country},
    {553, 10, &ContestRecord::waz},
    {564, 10, &ContestRecord::itu},
    {575, 5, &ContestRecord::deleteMark},
    {581, 5, &ContestRecord::regionNumber},
    {587, 15, &ContestRecord::mult1},
    {603, 15, &ContestRecord::mult2},
}};

// Field positions for readers that take single fields straight from the bytes.
namespace ContestField {
inline constexpr TextField Number{0, 6};
inline constexpr TextField Call{7, 20};
inline constexpr TextField Date{28, 10};
inline constexpr TextField Time{39, 10};
inline constexpr TextField Band{50, 10};
inline constexpr TextField Mode{61, 10};
inline constexpr TextField Sent{72, 26};
inline constexpr TextField Received{99, 10};
inline constexpr TextField ReceivedExchange{110, 329};
inline constexpr TextField Points{440, 10};
inline constexpr TextField Country{451, 101};
inline constexpr TextField Waz{553, 10};
inline constexpr TextField Itu{564, 10};
inline constexpr TextField DeleteMark{575, 5};
inline constexpr TextField RegionNumber{581, 5};
inline constexpr TextField Mult1{587, 15};
inline constexpr TextField Mult2{603, 15};
} // namespace ContestField

} // namespace zelmor
