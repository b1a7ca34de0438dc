#include "core/RowReader.h"
#include "support/QtPrint.h"
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace quorin;

namespace {

struct Columns {
    BoundedArray<QString> one{3000};
    BoundedArray<QString> two{3000};
};

// The rows as the rule states them, one CR at a time, with repeats removed
// pair by pair (a row is dropped when any later row equals it).
QStringList pairwiseRows(const QString& text) {
    const QString s = text.toLower();
    QStringList rows;
    int previous = -1;
    for (int p = 0; p < s.size(); ++p) {
        if (s[p] != QChar(13))
            continue;
        const int from = previous < 0 ? 0 : previous + 2;
        rows.append(from < p ? s.mid(from, p - from) : QString());
        previous = p;
    }
    QStringList kept;
    for (int a = 0; a < rows.size(); ++a) {
        bool later = false;
        for (int b = a + 1; b < rows.size(); ++b)
            later = later || rows[b] == rows[a];
        if (!later && !rows[a].isEmpty())
            kept.append(rows[a]);
    }
    return kept;
}

} // namespace

TEST(RowReader, RepeatsKeepTheirLastPlace) {
    Columns c;
    const RowReadResult r = zhong(QStringLiteral("a\r\nb\r\na\r\n") + "\r\n", c.one, c.two);
    EXPECT_FALSE(r.tooMany);
    EXPECT_EQ(r.rowCount, 2);
    for (const auto* col : {&c.one, &c.two}) {
        EXPECT_EQ(col->at(0), "\tb\t");
        EXPECT_EQ(col->at(1), "\ta\t");
        EXPECT_EQ(col->at(2), "\t\t");
        EXPECT_EQ(col->used(), 3u);
    }
}

TEST(RowReader, LineEndsAndCase) {
    // No CR: no rows, only the closing entry.
    Columns c;
    EXPECT_EQ(zhong(QStringLiteral("a\nb\n"), c.one, c.two).rowCount, 0);
    EXPECT_EQ(c.one.at(0), "\t\t");
    EXPECT_EQ(c.two.at(0), "\t\t");

    // CR alone: every row after the first loses its first character.
    EXPECT_EQ(distinctRows(QStringLiteral("abc\rdef\rghi\r")), QStringList({"abc", "ef", "hi"}));
    // One-character rows after a lone CR vanish; CR CR gives an empty row.
    EXPECT_EQ(distinctRows(QStringLiteral("x\ry\r\r\rzz\r")), QStringList({"x", "z"}));

    // Lowered before comparing, so rows differing in case are repeats.
    EXPECT_EQ(distinctRows(QStringLiteral("AbC\r\nABC\r\nÄ1E+20\r\n")),
              QStringList({"abc", "ä1e+20"}));
}

TEST(RowReader, MatchesThePairwiseRuleOnRandomTexts) {
    QRandomGenerator rng(20240611);
    const QStringList pieces = {"a", "b", "A", "ab", "", "\t"};
    const QStringList ends = {"\r\n", "\r", "\n", "\r\r"};
    for (int round = 0; round < 400; ++round) {
        QString text;
        const int rows = rng.bounded(12);
        for (int i = 0; i < rows; ++i) {
            const int len = rng.bounded(3);
            for (int k = 0; k < len; ++k)
                text += pieces[rng.bounded(pieces.size())];
            text += ends[rng.bounded(ends.size())];
        }
        text += "\r\n";
        const QStringList expected = pairwiseRows(text);
        ASSERT_EQ(distinctRows(text), expected) << text.toStdString();

        Columns c;
        const RowReadResult r = zhong(text, c.one, c.two);
        ASSERT_EQ(r.rowCount, expected.size());
        for (int i = 0; i < expected.size(); ++i)
            ASSERT_EQ(c.two.at(i), "\t" + expected[i] + "\t");
        ASSERT_EQ(c.two.at(expected.size()), "\t\t");
    }
}

TEST(RowReader, ThreeThousandRowsFitOneMoreDoesNot) {
    QString fits;
    for (int i = 0; i < 3000; ++i)
        fits += QString::number(i) + "\r\n";
    Columns c;
    RowReadResult r = zhong(fits + "\r\n", c.one, c.two);
    ASSERT_FALSE(r.tooMany);
    EXPECT_EQ(r.rowCount, 3000);
    EXPECT_EQ(c.one.at(2999), "\t2999\t");
    EXPECT_EQ(c.two.at(3000), "\t\t");

    // One row more: tables keep what the earlier read left.
    Columns small;
    ASSERT_EQ(zhong(QStringLiteral("keep\r\n\r\n"), small.one, small.two).rowCount, 1);
    r = zhong(fits + "3000\r\n\r\n", small.one, small.two);
    EXPECT_TRUE(r.tooMany);
    EXPECT_EQ(r.rowCount, 0);
    for (const auto* col : {&small.one, &small.two}) {
        EXPECT_EQ(col->used(), 2u);
        EXPECT_EQ(col->at(0), "\tkeep\t");
        EXPECT_EQ(col->at(1), "\t\t");
    }
    // Repeats do not count against the limit.
    EXPECT_FALSE(zhong(fits + fits + "\r\n", c.one, c.two).tooMany);
}
