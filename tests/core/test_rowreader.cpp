#include "core/RowReader.h"
#include "platform/TextFiles.h"
#include "support/QtPrint.h"
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace quorin;

namespace {

// The rows a file's text gives, through the row reader of files; `limit`
// rows at most.
struct FileRows {
    RowReadResult result;
    QStringList rows;
    explicit FileRows(const QString& fileText, qsizetype limit = rowTableRows) {
        result = zhong(toGbk(fileText), limit, [&](const auto& kept) {
            for (const auto& row : kept)
                rows.append(text(row));
        });
    }
    static QString text(QStringView row) { return row.toString(); }
    static QString text(QByteArrayView row) { return QString::fromLatin1(row); }
};

// The rows of a text (no CR LF added), by the one-pass rule.
QStringList keptRowsOf(const QString& text) {
    const QString lower = lowerCase(text);
    QStringList out;
    const auto rows = rowrules::keptRows(QStringView(lower), 100000);
    for (QStringView row : *rows)
        out.append(row.toString());
    return out;
}

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
    const FileRows f(QStringLiteral("a\r\nb\r\na\r\n"));
    EXPECT_FALSE(f.result.tooMany);
    EXPECT_EQ(f.result.rowCount, 2);
    EXPECT_EQ(f.rows, QStringList({"b", "a"}));
}

TEST(RowReader, LineEndsAndCase) {
    // No CR: no rows; a file without one is a single row (the reader adds
    // the closing CR LF).
    EXPECT_EQ(keptRowsOf(QStringLiteral("a\nb\n")), QStringList());
    EXPECT_EQ(FileRows(QStringLiteral("a\nb\n")).rows, QStringList({"a\nb\n"}));
    EXPECT_EQ(FileRows(QString()).result.rowCount, 0);

    // CR alone: every row after the first loses its first character.
    EXPECT_EQ(keptRowsOf(QStringLiteral("abc\rdef\rghi\r")), QStringList({"abc", "ef", "hi"}));
    // One-character rows after a lone CR vanish; CR CR gives an empty row.
    EXPECT_EQ(keptRowsOf(QStringLiteral("x\ry\r\r\rzz\r")), QStringList({"x", "z"}));

    // Lowered before comparing, so rows differing in case are repeats.
    EXPECT_EQ(keptRowsOf(QStringLiteral("AbC\r\nABC\r\nÄ1E+20\r\n")),
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
        ASSERT_EQ(keptRowsOf(text), expected) << text.toStdString();

        // The file reader adds the last CR LF itself, and reads plain ASCII
        // as bytes and other text decoded, by the same rule.
        ASSERT_EQ(FileRows(text.chopped(2)).rows, expected);
        ASSERT_EQ(FileRows(text + "中").rows, pairwiseRows(text + "中\r\n"));
    }
}

TEST(RowReader, ThreeThousandRowsFitOneMoreDoesNot) {
    QString fits;
    for (int i = 0; i < 3000; ++i)
        fits += QString::number(i) + "\r\n";
    const FileRows full(fits);
    ASSERT_FALSE(full.result.tooMany);
    EXPECT_EQ(full.result.rowCount, 3000);
    EXPECT_EQ(full.rows.at(2999), "2999");

    // One row more: nothing is handed on.
    const FileRows over(fits + "3000\r\n");
    EXPECT_TRUE(over.result.tooMany);
    EXPECT_EQ(over.result.rowCount, 0);
    EXPECT_TRUE(over.rows.isEmpty());
    EXPECT_TRUE(FileRows(fits + "Ä\r\n").result.tooMany);
    // Repeats do not count against the limit.
    EXPECT_FALSE(FileRows(fits + fits).result.tooMany);
}
