#include "common/blocksearch.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <random>
#include <vector>

using namespace zelmor;

namespace {

const char *const Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Deterministic calls: a few thousand spread over every first character, and a
// long run of "U" and "UA".."UZ" calls so that the fine step crosses coarse
// boundaries. For these characters byte order is rank order.
QStringList GeneratedCalls() {
    std::mt19937 gen(20240611u);
    auto pick = [&](int n) { return Alphabet[gen() % unsigned(n)]; };
    QStringList calls;
    for (int i = 0; i < 2500; ++i) {
        QString c;
        c += QChar(pick(36));
        c += QChar(pick(36));
        c += QChar(pick(10));
        for (int k = 0; k < 3; ++k) c += QChar(Alphabet[10 + gen() % 26u]);
        calls << c;
    }
    for (int i = 0; i < 1800; ++i) {
        QString c = QStringLiteral("U");
        c += QChar(Alphabet[10 + gen() % 26u]);
        c += QChar(pick(10));
        for (int k = 0; k < 2; ++k) c += QChar(Alphabet[10 + gen() % 26u]);
        calls << c;
    }
    std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    return calls;
}

// Every index whose entry equals the key, found through the window; each probe
// is checked to stay inside the list.
std::vector<qint64> FindAll(const QStringList &list, const QString &key, CallWindow *windowOut = nullptr) {
    const qint64 n = list.size();
    auto entryAt = [&](qint64 i) {
        EXPECT_TRUE(i >= 0 && i < n) << "probe out of range: " << i;
        return (i >= 0 && i < n) ? list[i] : QString();
    };
    const CallWindow w = BlockSearchWindow(n, entryAt, key);
    if (windowOut) *windowOut = w;
    std::vector<qint64> hits;
    if (w.empty()) return hits;
    EXPECT_GE(w.low, 0);
    EXPECT_LT(w.high, n);
    for (qint64 i = w.low; i <= w.high; ++i)
        if (list[i] == key) hits.push_back(i);
    return hits;
}

std::vector<qint64> BruteForce(const QStringList &list, const QString &key) {
    std::vector<qint64> hits;
    for (qint64 i = 0; i < list.size(); ++i)
        if (list[i] == key) hits.push_back(i);
    return hits;
}

} // namespace

TEST(CallRank, RanksDigitsThenLettersAndNothingElse) {
    EXPECT_EQ(CallRank(u'0'), 0);
    EXPECT_EQ(CallRank(u'9'), 9);
    EXPECT_EQ(CallRank(u'A'), 10);
    EXPECT_EQ(CallRank(u'Z'), 35);
    for (QChar c : {QChar(u'/'), QChar(u'a'), QChar(u' '), QChar(u'Ж'), QChar()}) EXPECT_EQ(CallRank(c), -1) << int(c.unicode());
}

TEST(BlockSearch, FindsKeysPlacedAtStepBoundaries) {
    const QStringList list = GeneratedCalls();
    ASSERT_GT(list.size(), 3500);
    const qint64 last = list.size() - 1;
    for (qint64 index : {qint64(0), qint64(49), qint64(50), qint64(51), qint64(999), qint64(1000), qint64(1001),
                         qint64(1049), qint64(1050), qint64(2000), qint64(3001), last - 1, last}) {
        const QString key = list[index];
        EXPECT_EQ(FindAll(list, key), std::vector<qint64>{index}) << "index " << index << " key " << key.toStdString();
    }
}

TEST(BlockSearch, FindsEveryKeyOfTheList) {
    // All of them, so that each first/second-character region and each
    // coarse/fine boundary meets a key at some offset.
    const QStringList list = GeneratedCalls();
    for (qint64 i = 0; i < list.size(); ++i) {
        const auto hits = FindAll(list, list[i]);
        ASSERT_EQ(hits, std::vector<qint64>{i}) << list[i].toStdString();
    }
}

TEST(BlockSearch, RepeatedKeysSpanningBoundariesAreAllFound) {
    QStringList list = GeneratedCalls();
    // Runs across a coarse boundary, a fine boundary inside the "U" region and
    // the list's end; a run copies its first entry, so the order holds.
    struct Run { qint64 from, to; };
    const qint64 uStart = std::find_if(list.begin(), list.end(), [](const QString &c) { return c.startsWith(u'U'); }) -
                          list.begin();
    ASSERT_GT(uStart, 0);
    const std::vector<Run> runs = {{990, 1012}, {uStart + 1040, uStart + 1062}, {list.size() - 8, list.size() - 1}};
    for (const Run &r : runs)
        for (qint64 i = r.from + 1; i <= r.to; ++i) list[i] = list[r.from];
    ASSERT_TRUE(std::is_sorted(list.begin(), list.end()));
    for (const Run &r : runs) {
        const QString key = list[r.from];
        EXPECT_EQ(FindAll(list, key), BruteForce(list, key)) << key.toStdString();
        EXPECT_EQ(qint64(FindAll(list, key).size()), r.to - r.from + 1);
    }
}

TEST(BlockSearch, AbsentKeysFindNothing) {
    const QStringList list = GeneratedCalls();
    for (const char *key : {"UA0", "ZZZZZZZ", "0000", "UZ9ZZZZ", "A"}) {
        if (list.contains(QString::fromLatin1(key))) continue;
        EXPECT_TRUE(FindAll(list, QString::fromLatin1(key)).empty()) << key;
    }
}

TEST(BlockSearch, KeysWithoutASecondRankScanTheFirstCharacterWindow) {
    QStringList list = GeneratedCalls();
    // One-character calls and portable calls with "/" sort inside the first
    // character's region ("/" before the digits).
    list << QStringLiteral("U") << QStringLiteral("U/DL1ABC") << QStringLiteral("K") << QStringLiteral("K/G3XYZ");
    std::sort(list.begin(), list.end());
    for (const char *key : {"U", "U/DL1ABC", "K", "K/G3XYZ"}) {
        CallWindow w;
        EXPECT_EQ(FindAll(list, QString::fromLatin1(key), &w), BruteForce(list, QString::fromLatin1(key))) << key;
        EXPECT_EQ(FindAll(list, QString::fromLatin1(key)).size(), 1u) << key;
        // The window covers every call of that first character.
        for (qint64 i = 0; i < list.size(); ++i)
            if (list[i].startsWith(QLatin1Char(key[0]))) {
                EXPECT_GE(i, w.low) << key;
                EXPECT_LE(i, w.high) << key;
            }
    }
}

TEST(BlockSearch, KeysAndListsThatGiveAnEmptyWindow) {
    const QStringList list = GeneratedCalls();
    CallWindow w;
    for (const char *key : {"", "/ABC", "aa1aa", " UA3"}) {
        EXPECT_TRUE(FindAll(list, QString::fromLatin1(key), &w).empty()) << key;
        EXPECT_TRUE(w.empty()) << key;
    }
    EXPECT_TRUE(FindAll(QStringList(), QStringLiteral("UA3A"), &w).empty());
    EXPECT_TRUE(w.empty());
}

TEST(BlockSearch, ProbesOnEntriesWithoutRankArePassedOver) {
    // Empty calls keep their index in the name list; a probe landing on one
    // must neither stop the step nor end the window there.
    QStringList list = GeneratedCalls();
    const QString afterKey = list[2500];
    const QString beforeKey = list[1500];
    for (qint64 i : {qint64(1000), qint64(2000), qint64(1550), qint64(2450)}) list[i].clear();
    EXPECT_EQ(FindAll(list, afterKey), std::vector<qint64>{2500});
    EXPECT_EQ(FindAll(list, beforeKey), std::vector<qint64>{1500});
}

TEST(BlockSearch, SmallListsNeverProbeOutOfRange) {
    const QStringList all = GeneratedCalls();
    for (qint64 n : {qint64(1), qint64(2), qint64(49), qint64(50), qint64(51), qint64(999), qint64(1000),
                     qint64(1001)}) {
        const QStringList list = all.mid(0, n);
        for (qint64 i : {qint64(0), n / 2, n - 1}) EXPECT_EQ(FindAll(list, list[i]), BruteForce(list, list[i])) << n;
        EXPECT_TRUE(FindAll(list, QStringLiteral("ZZZZZZZZ")).empty());
    }
}

TEST(BlockSearch, AnEntryEndingBeforeTheSecondCharacterSortsBeforeLongerOnes) {
    // A long run of the one-character entry "U" ahead of the "UA" calls: a
    // fine probe on it is below "UA3AA", not past it.
    QStringList list;
    for (int i = 0; i < 120; ++i) list << QStringLiteral("K%1").arg(i, 4, 10, QLatin1Char('0'));
    for (int i = 0; i < 200; ++i) list << QStringLiteral("U");
    for (int i = 0; i < 100; ++i) list << QStringLiteral("UA%1").arg(i, 3, 10, QLatin1Char('0'));
    ASSERT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_EQ(FindAll(list, QStringLiteral("UA050")), std::vector<qint64>{370});
    EXPECT_EQ(FindAll(list, QStringLiteral("U")).size(), 200u);
}
