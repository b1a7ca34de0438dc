#include "core/PixelSets.h"
#include "platform/TextFiles.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorin {
namespace {

TEST(PixelTable, KeepsShortAsciiInPlaceAndAnythingElseAside) {
    PixelTable t(5000, 5000);
    EXPECT_TRUE(t.set(3, 7, QStringLiteral("ffffffff")));
    EXPECT_TRUE(t.set(3, 8, QStringLiteral("a much longer text than fits")));
    EXPECT_TRUE(t.set(3, 9, QStringLiteral("颜色")));
    EXPECT_EQ(t.at(3, 7), QStringLiteral("ffffffff"));
    EXPECT_EQ(t.at(3, 8), QStringLiteral("a much longer text than fits"));
    EXPECT_EQ(t.at(3, 9), QStringLiteral("颜色"));
    EXPECT_TRUE(t.set(3, 10, QString::fromLatin1("a\0b", 3)));
    EXPECT_EQ(t.at(3, 10), QString::fromLatin1("a\0b", 3));
    // A spilled cell overwritten in place, then by a spilled text again.
    EXPECT_TRUE(t.set(3, 8, QStringLiteral("*")));
    EXPECT_TRUE(t.cell(3, 8).is('*'));
    EXPECT_TRUE(t.set(3, 7, QStringLiteral("another long text, spilled")));
    EXPECT_EQ(t.at(3, 7), QStringLiteral("another long text, spilled"));
    EXPECT_EQ(t.at(3, 9), QStringLiteral("颜色"));
    // Outside the limits: refused, and reads give "".
    EXPECT_FALSE(t.set(5001, 0, QStringLiteral("ff")));
    EXPECT_FALSE(t.setBytes(0, -1, "ff"));
    EXPECT_EQ(t.at(5001, 0), QString());
    EXPECT_EQ(t.at(4, 0), QString());
    EXPECT_TRUE(t.cell(0, 0).isEmpty());

    // Bytes of every length up to a cell and past it, with a NUL or a byte
    // above ASCII at every position: each reads back as it was written.
    const QByteArray digits = "0123456789";
    for (qsizetype n = 0; n <= 9; ++n)
        for (qsizetype at = -1; at < n; ++at)
            for (char odd : {'\0', '\xe9'}) {
                QByteArray text = digits.left(n);
                if (at >= 0)
                    text[at] = odd;
                ASSERT_TRUE(t.setBytes(7, 1, text));
                EXPECT_EQ(t.at(7, 1), QString::fromLatin1(text)) << n << ' ' << at;
            }
}

TEST(PixelTable, SameTextWhereverItIsKept) {
    PixelTable t(10, 10);
    t.set(0, 0, QStringLiteral("ab"));
    t.set(0, 1, QStringLiteral("ab"));
    t.set(0, 2, QStringLiteral("abc"));
    t.set(0, 3, QStringLiteral("a longer text, spilled"));
    t.set(0, 4, QStringLiteral("a longer text, spilled"));
    t.set(0, 5, QStringLiteral("颜"));
    t.set(0, 6, QStringLiteral(""));
    const auto same = [&](long long a, long long b) {
        return PixelTable::sameText(t.cell(0, a), t.cell(0, b));
    };
    EXPECT_TRUE(same(0, 1));
    EXPECT_FALSE(same(0, 2));
    EXPECT_TRUE(same(3, 4));
    EXPECT_FALSE(same(3, 0));
    EXPECT_FALSE(same(5, 0));
    EXPECT_TRUE(same(6, 9)); // written empty, never written
    EXPECT_FALSE(same(6, 0));
}

TEST(PixelColours, TextAndComponents) {
    EXPECT_EQ(colourText(rgb(255, 255, 255)), "FFFFFF");
    EXPECT_EQ(colourText(colors::red), "FF");
    EXPECT_EQ(colourText(0), "0");
    EXPECT_EQ(colourText(-1), "FFFFFFFF");
    EXPECT_EQ(colourText(rgb(12, 11, 10)), "A0B0C");

    struct Case {
        const char* text;
        Rgb rgb;
    };
    const Case cases[] = {
        {"ff", {255, 0, 0}},
        {"FF", {255, 0, 0}},
        {"0", {0, 0, 0}},
        {"c0a080", {128, 160, 192}},
        {"A0B0C", {12, 11, 10}},
        {"abc", {188, 10, 0}},
        {"ffffffff", {255, 255, 255}},
        {"1abcdef", {0xEF, 0xCD, 0xAB}},
        {"*", {0, 0, 0}},
        {"", {0, 0, 0}},
        // Not all hexadecimal: pair by pair from the end.
        {"12zz34", {0x34, 0, 0x12}},
        {"x7", {0, 0, 0}},
        {"123456789", {0x89, 0x67, 0x45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(colourComponents(QByteArrayView(c.text)), c.rgb);
        EXPECT_EQ(colourComponents(QString::fromLatin1(c.text)), c.rgb);
    }
}

TEST(PixelColours, DistanceThresholdAndTemplateRule) {
    EXPECT_EQ(colourDistance({0, 0, 0}, {255, 255, 255}), 441);
    EXPECT_EQ(colourDistance({10, 0, 0}, {13, 4, 0}), 5);
    EXPECT_EQ(colourDistance({0, 0, 0}, {1, 1, 0}), 1); // the whole part of 1.41
    // d = T is equal, T = 0 marks every change.
    EXPECT_FALSE(colourDiffers({10, 0, 0}, {13, 4, 0}, 5));
    EXPECT_TRUE(colourDiffers({10, 0, 0}, {13, 4, 0}, 4));
    EXPECT_TRUE(colourDiffers({0, 0, 0}, {1, 0, 0}, 0));
    EXPECT_FALSE(colourDiffers({7, 7, 7}, {7, 7, 7}, 0));

    EXPECT_EQ(colourThreshold(QStringLiteral("100")), 100);
    EXPECT_EQ(colourThreshold(QStringLiteral("abc")), 0);
    EXPECT_EQ(colourThreshold(QStringLiteral("2.5")), 2);
    EXPECT_EQ(colourThreshold(QStringLiteral("3.5")), 4);
    EXPECT_EQ(colourThreshold(QStringLiteral("12__34__56")), 12); // the pointer read-out
    EXPECT_FALSE(colourDiffers({0, 0, 0}, {255, 255, 255}, colourThreshold("1e400")));
    EXPECT_TRUE(colourDiffers({0, 0, 0}, {0, 0, 0}, colourThreshold("-5")));

    // Equal sums; differences 10, 10, 0 are not above T.
    EXPECT_FALSE(templateDiffers({100, 100, 100}, {110, 90, 100}, 30));
    // Largest and middle differences (40 and 40) both above T = 30.
    EXPECT_TRUE(templateDiffers({100, 100, 100}, {140, 60, 100}, 30));
    // Black against white: the sums differ by 765, the base is 510.
    EXPECT_TRUE(templateDiffers({0, 0, 0}, {255, 255, 255}, 1000));
}

TEST(PixelGridTest, StepsColumnsAndRefusedResolutions) {
    const auto g = pixelGrid(8000, 6000, QStringLiteral("800"), QStringLiteral("600"));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->stepX, 10);
    EXPECT_EQ(g->stepY, 10);
    EXPECT_EQ(g->columns(), 800);
    EXPECT_EQ(g->rows(6000), 600);
    EXPECT_EQ(g->columnX(799), 7990);
    EXPECT_EQ(g->rows(5000), 500); // the height is read again per column

    // Steps are whole numbers: 1000 / 300 gives 3, and x stays <= W - stepX.
    const auto odd = pixelGrid(1000, 1000, QStringLiteral("300.9"), QStringLiteral("7"));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->stepX, 3);
    EXPECT_EQ(odd->stepY, 142);
    EXPECT_EQ(odd->columns(), 333);

    for (const char* bad : {"", "abc", "0", "0.9", "-5", "1e9", "1e400", "8001"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(pixelGrid(8000, 6000, QString::fromLatin1(bad), QStringLiteral("600")));
        EXPECT_FALSE(pixelGrid(8000, 6000, QStringLiteral("800"), QString::fromLatin1(bad)));
    }
    // A box no screen has: refused, not cast out of range.
    EXPECT_FALSE(pixelGrid(1e19, 1e19, QStringLiteral("1"), QStringLiteral("1")));
    // A grid beyond the tables could not be kept or read back.
    EXPECT_FALSE(pixelGrid(60000, 6000, QStringLiteral("6000"), QStringLiteral("600")));
}

// The fields of a row, read as text and as bytes (which scans eight bytes at
// a time): both must agree.
std::vector<QString> fields(const QString& row) {
    std::vector<QString> out, fromBytes;
    forEachField(QStringView(row), [&](long long n, QStringView text) {
        EXPECT_EQ(n, static_cast<long long>(out.size()) + 1);
        out.push_back(text.toString());
    });
    const QByteArray bytes = row.toLatin1();
    forEachField(QByteArrayView(bytes), [&](long long, QByteArrayView text) {
        fromBytes.push_back(QString::fromLatin1(text));
    });
    EXPECT_EQ(out, fromBytes) << row.toStdString();
    return out;
}

TEST(PixelRows, FieldsBetweenSeparators) {
    using V = std::vector<QString>;
    EXPECT_EQ(fields(QStringLiteral("ff\t0\t600")), (V{"ff", "0", "600"}));
    EXPECT_EQ(fields(QStringLiteral("a|b\t\tc")), (V{"a", "b", "c"}));
    EXPECT_EQ(fields(QString()), V{});
    // 22 separators in a row are one; a 23rd starts an empty field.
    EXPECT_EQ(fields(QStringLiteral("a") + QString(22, u'\t') + QStringLiteral("b")),
              (V{"a", "b"}));
    EXPECT_EQ(fields(QStringLiteral("a") + QString(23, u'\t') + QStringLiteral("b")),
              (V{"a", "", "b"}));
    // Separators at every offset of the eight-byte words, fields longer than
    // a word, and bytes that differ from a separator by one bit.
    std::uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int row = 0; row < 300; ++row) {
        QString text;
        const int length = static_cast<int>(next() % 60);
        for (int i = 0; i < length; ++i) {
            const char pool[] = "\t|\t\x08\x0d}|~ab01F\xfc";
            text += QLatin1Char(pool[next() % (sizeof pool - 1)]);
        }
        fields(text);
    }
}

TEST(PixelRows, ReadingFillsCellsOfTheRowsAndKeepsTheRest) {
    PixelTable t(5000, 5000);
    auto read = readPixelSet("FF\t0\t2\r\nA\tB\tC\t6\r\n", t, 3000);
    EXPECT_EQ(read.status, PixelSetRead::Status::Read);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(t.at(0, 1), QStringLiteral("ff")); // lowered as the row reader does
    EXPECT_EQ(t.at(0, 3), QStringLiteral("2"));  // the running total is a field too
    EXPECT_EQ(t.at(1, 4), QStringLiteral("6"));
    EXPECT_EQ(t.at(0, 0), QString());

    // A smaller set afterwards keeps the larger one's cells beyond its extent;
    // a last line without CR LF is a row, and repeated rows count once.
    read = readPixelSet("1\r\n1\r\n2", t, 3000);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(t.at(0, 1), QStringLiteral("1"));
    EXPECT_EQ(t.at(1, 1), QStringLiteral("2"));
    EXPECT_EQ(t.at(0, 2), QStringLiteral("0"));
    EXPECT_EQ(t.at(1, 4), QStringLiteral("6"));

    // GBK text takes the same way.
    read = readPixelSet(toGbk(QStringLiteral("红\tFF\r\nFF\t3\r\n")), t, 3000);
    EXPECT_EQ(read.rows, 2);
    EXPECT_EQ(t.at(0, 1), QStringLiteral("红"));
    EXPECT_EQ(t.at(0, 2), QStringLiteral("ff"));

    // One line of colour texts (any case, odd length, "*") and a total is enough.
    for (const char* text :
         {"A0B0C\tFFFFFFFF\t*\t12\t\r\n\r\n", "zz\t1\r\nff|0|2\tjunk\r\n0\t2\r\n"})
        EXPECT_EQ(readPixelSet(text, t, 3000).status, PixelSetRead::Status::Read) << text;
}

TEST(PixelRows, UnusableTextsLeaveTheTableAlone) {
    PixelTable t(5000, 5000);
    t.set(0, 1, QStringLiteral("keep"));
    EXPECT_EQ(readPixelSet("ff\t1\nff\t2\n", t, 3000).status, PixelSetRead::Status::NoRows);
    EXPECT_EQ(readPixelSet("", t, 3000).status, PixelSetRead::Status::NoRows);
    EXPECT_EQ(readPixelSet("a\r\nb\r\nc\r\n", t, 2).status, PixelSetRead::Status::TooManyRows);
    EXPECT_EQ(readPixelSetFile(QStringLiteral("/no/such/file.txt"), t, 3000).status,
              PixelSetRead::Status::Unreadable);
    // No sets: random bytes, a NUL byte, lines none of which is colours and a
    // total, a field lost to a run of separators.
    QByteArray random;
    for (std::uint32_t i = 0, seed = 7; i < 65536; ++i)
        random += static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    for (const QByteArray& bytes :
         {random, QByteArray("FF\t1\r\n\0", 7), QByteArray("1\tgg\r\nff\t1.5\r\nfoo bar\r\n"),
          "ff" + QByteArray(30, '\t') + "7\r\n"})
        EXPECT_EQ(readPixelSet(bytes, t, 3000).status, PixelSetRead::Status::NotAPixelSet);
    EXPECT_EQ(t.at(0, 1), QStringLiteral("keep"));

    // Fields past 4999 are not stored.
    QByteArray wide;
    for (int i = 1; i <= 5005; ++i)
        wide += QByteArray::number(i) + '\t';
    wide += "\r\n";
    EXPECT_EQ(readPixelSet(wide, t, 3000).status, PixelSetRead::Status::Read);
    EXPECT_EQ(t.at(0, 4999), QStringLiteral("4999"));
    EXPECT_EQ(t.at(0, 5000), QString());
}

// Reading row by row gives what the table reader leaves in an empty table.
TEST(PixelSetRowsTest, CellsAndAnswersOfTheTableReader) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("set.txt"));
    QByteArray wide;
    for (int i = 1; i <= 5005; ++i)
        wide += QByteArray::number(i) + '\t';
    const QList<QByteArray> texts = {
        "FF\t0\t2\r\nA\tB\tC\t6\r\n", "1\r\n1\r\n2", "aB\t1\r\nAb\t1\r\nab\t2\r\n", "ff\t1\r",
        "ff\t1\r\r", "\r\nff\t1\r\n\r\n", "FFFFFFFFFF\t*\t12\t\r\n",
        toGbk(QStringLiteral("红\tFF\r\nFF\t3\r\n")), "ff|0|2\tjunk\r\n0\t2\r\n", wide + "\r\n",
        // Answers other than Read.
        "", "ff\t1\nff\t2\n", QByteArray("FF\t1\r\n\0", 7), "1\tgg\r\nfoo\r\n", "a\r\nb\r\nc\r\n"};
    for (const QByteArray& text : texts) {
        ASSERT_TRUE(replaceFileBytes(path, text));
        PixelTable table(5000, 5000);
        PixelSetRows rows;
        const PixelSetRead expected = readPixelSetFile(path, table, 2);
        const PixelSetRead read = rows.open(path, 2);
        ASSERT_EQ(read.status, expected.status) << text.left(40).toStdString();
        ASSERT_EQ(read.rows, expected.rows) << text.left(40).toStdString();
        for (long long r = -1; r <= read.rows + 1; ++r)
            for (long long c = 0; c <= 5002; ++c)
                ASSERT_EQ(rows.cell(r, c).toString(), table.at(r, c)) << r << " " << c;
    }
    PixelSetRows rows;
    EXPECT_EQ(rows.open(dir.filePath(QStringLiteral("none.txt")), 3000).status,
              PixelSetRead::Status::Unreadable);
    EXPECT_EQ(rows.open(dir.path(), 3000).status, PixelSetRead::Status::Unreadable);
}

// Two sets compared row by row write what the tables write.
TEST(PixelSetRowsTest, DifferencesOfTheTables) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray one, two;
    long long total1 = 0, total2 = 0;
    std::uint32_t seed = 11;
    for (int column = 0; column < 40; ++column) {
        std::vector<ColorValue> a(30), b(30);
        for (std::size_t k = 0; k < a.size(); ++k) {
            a[k] = static_cast<ColorValue>((seed = seed * 1664525u + 1013904223u) >> 8);
            b[k] = seed % 3 == 0 ? a[k] ^ 0x400000 : a[k];
        }
        appendColourLine(one, a, total1);
        appendColourLine(two, b, total2);
    }
    // Upper and lower case, a text longer than a cell, a row of the second
    // set that is missing.
    two = two.toLower().replace("\t1\t", "\tFFFFFFFFFF\t");
    two.chop(two.size() - two.lastIndexOf("\r\n", two.size() - 3) - 2);
    const QString first = dir.filePath(QStringLiteral("a.txt"));
    const QString second = dir.filePath(QStringLiteral("b.txt"));
    ASSERT_TRUE(replaceFileBytes(first, one));
    ASSERT_TRUE(replaceFileBytes(second, two));
    PixelTable t1(5000, 5000), t2(5000, 5000);
    PixelSetRows r1, r2;
    const long long rows = readPixelSetFile(first, t1, 3000).rows;
    ASSERT_EQ(readPixelSetFile(second, t2, 3000).rows, rows - 1);
    ASSERT_EQ(r1.open(first, 3000).rows, rows);
    ASSERT_EQ(r2.open(second, 3000).rows, rows - 1);
    const PixelSetExtent extent = pixelSetExtent(t1, rows);
    ASSERT_EQ(pixelSetExtent(r1, rows).rows, extent.rows);
    ASSERT_EQ(pixelSetExtent(r1, rows).columns, extent.columns);
    for (long long threshold : {-1LL, 0LL, 100LL}) {
        QByteArray fromTables, fromRows;
        long long n1 = 0, n2 = 0, d1 = 0, d2 = 0;
        for (long long i = 0; i < extent.columns; ++i) {
            d1 += appendSetDifferences(fromTables, t1, t2, i, extent.rows, threshold, n1);
            d2 += appendSetDifferences(fromRows, r1, r2, i, extent.rows, threshold, n2);
        }
        EXPECT_GT(d1, 0);
        EXPECT_EQ(d2, d1);
        EXPECT_EQ(fromRows, fromTables);
    }
}

TEST(PixelDifferences, LinesOfTheThreeComparisons) {
    PixelTable a(5000, 5000), b(5000, 5000);
    readPixelSet("ffffff\tff\t0\t3\r\n0\t0\t0\t6\r\n", a, 3000);
    readPixelSet("ffffff\tfe\tffffff\t3\r\n0\t0\t0\t6\r\n", b, 3000);

    QByteArray out;
    long long total = 0;
    // ff against fe: d = 1 = T. Each line gives its differing points.
    EXPECT_EQ(appendSetDifferences(out, a, b, 0, 3, 1, total), 1);
    EXPECT_EQ(appendSetDifferences(out, a, b, 1, 3, 1, total), 0);
    EXPECT_EQ(out, "*\t*\tffffff\t3\r\n*\t*\t*\t6\r\n");

    out.clear();
    total = 0;
    const ColorValue live[] = {rgb(255, 255, 255), colors::red, rgb(0, 0, 200)};
    appendLiveDifferences(out, a, 0, live, 100, total);
    EXPECT_EQ(out, "*\t*\t0\t3\r\n"); // the first set's text where they differ

    out.clear();
    total = 10;
    appendTemplateDifferences(out, a, 0, live, 30, total);
    EXPECT_EQ(out, "*\t*\tC80000\t13\r\n"); // the live colour's text, upper case
}

} // namespace
} // namespace quorin
