#include "core/RecordReader.h"
#include "support/QtPrint.h"
#include <gtest/gtest.h>

namespace quorin {
namespace {

TEST(RecordReader, EachRecordOnceWhateverItsCommas) {
    const QString text =
        QStringLiteral("1,2,3,4,5,6,7,8,\r\n9,9,9,9,9,9,9,9,\r\n1,2,3,4,5,6,7,8,\r\n");
    // The first record repeats later: only its last place counts.
    EXPECT_EQ(recordRows(text, QLatin1Char(',')),
              (QStringList{"9,9,9,9,9,9,9,9,", "1,2,3,4,5,6,7,8,"}));
    EXPECT_TRUE(recordRows(QString(), QLatin1Char(',')).isEmpty());
    EXPECT_EQ(recordRows(QStringLiteral("A,B"), QLatin1Char(',')), QStringList{"a,b"});
}

TEST(RecordReader, AnEndOfLineBeyond720CharactersSkipsTheRecordButNotTheFirstLine) {
    const QString longLine = QStringLiteral("1,") + QString(800, QLatin1Char('x'));
    const QString text = longLine + QStringLiteral("\r\n") + longLine + QStringLiteral("y\r\n") +
                         QStringLiteral("2,\r\n");
    // The first line is taken whole; the second, as long, is passed over.
    EXPECT_EQ(recordRows(text, QLatin1Char(',')), (QStringList{longLine.toLower(), "2,"}));
}

TEST(RecordReader, LinesFullOfCommasCostOnePass) {
    // A foreign file of millions of commas on a line: every comma used to
    // search its whole line again, which never ended.
    const QString commas(4'000'000, QLatin1Char(','));
    const QStringList rows =
        recordRows(commas + QStringLiteral("\r\nA,b\r\n") + commas, QLatin1Char(','));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0] == commas);
    EXPECT_EQ(rows[1], "a,b"); // the last line has no CR after it: passed over

    // A line counts when any of its commas is within reach of its end.
    const QString late =
        QStringLiteral("x,") + QString(800, QLatin1Char('y')) + QStringLiteral(",z");
    EXPECT_EQ(
        recordRows(QStringLiteral("1,\r\n") + late + QStringLiteral("\r\n"), QLatin1Char(',')),
        (QStringList{"1,", late}));
}

TEST(RecordReader, FieldsAreEightValuesAndTextIsLeftOut) {
    const auto v = recordFields(QStringLiteral("10,1.5,700,-1,2,30,40,5,"));
    ASSERT_TRUE(v[0] && v[7]);
    EXPECT_EQ(*v[0], 10);
    EXPECT_EQ(*v[1], 1.5);
    EXPECT_EQ(*v[3], -1);
    EXPECT_EQ(*v[7], 5);
    const auto w = recordFields(QStringLiteral("t10,2,"));
    EXPECT_FALSE(w[0]); // a field that held text when the picture was saved
    EXPECT_EQ(*w[1], 2);
    EXPECT_FALSE(w[2]);
    // The character after a comma is not looked at: an empty field swallows
    // the next comma into the value after it.
    const auto x = recordFields(QStringLiteral("1,,2,3,"));
    EXPECT_EQ(*x[0], 1);
    EXPECT_FALSE(x[1]); // ",2"
    EXPECT_EQ(*x[2], 3);
}

} // namespace
} // namespace quorin
