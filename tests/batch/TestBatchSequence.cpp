#include "batch/BatchSequence.h"
#include "toolkit/InputLimits.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(TSequenceProblem)

namespace {

constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();

QString Untranslated(const QString &text)
{
    return text;
}

} // namespace

class TestBatchSequence : public QObject
{
    Q_OBJECT

private slots:
    void Sequences_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<qint64>("step");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("strings");
        QTest::addColumn<TSequenceProblem>("problem");
        using P = TSequenceProblem;
        QTest::newRow("padding and fixed text") << qint64(41) << qint64(43) << qint64(1) << "SN-{000000}"
                                                << QStringList{"SN-000041", "SN-000042", "SN-000043"} << P::None;
        QTest::newRow("number wider than its padding") << qint64(998) << qint64(1002) << qint64(2) << "{00}"
                                                       << QStringList{"998", "1000", "1002"} << P::None;
        QTest::newRow("no pattern: the number alone") << qint64(-1) << qint64(1) << qint64(1) << ""
                                                      << QStringList{"-1", "0", "1"} << P::None;
        QTest::newRow("negative step") << qint64(10) << qint64(4) << qint64(-3) << "Box {000} of 10"
                                       << QStringList{"Box 010 of 10", "Box 007 of 10", "Box 004 of 10"} << P::None;
        QTest::newRow("negative numbers keep the sign in front") << qint64(-2) << qint64(-3) << qint64(-1) << "{000}"
                                                                 << QStringList{"-002", "-003"} << P::None;
        QTest::newRow("end between two steps") << qint64(1) << qint64(6) << qint64(2) << "{0}"
                                               << QStringList{"1", "3", "5"} << P::None;
        QTest::newRow("two places, one number") << qint64(7) << qint64(7) << qint64(1) << "{00}/{0000}"
                                                << QStringList{"07/0007"} << P::None;
        QTest::newRow("braces without zeros are text") << qint64(1) << qint64(1) << qint64(1) << "{x}{0}"
                                                       << QStringList{"{x}1"} << P::None;
        QTest::newRow("up to the largest number") << Max - 2 << Max << qint64(2) << "{0}"
                                                  << QStringList{QString::number(Max - 2), QString::number(Max)} << P::None;
        QTest::newRow("down to the smallest number") << Min + 1 << Min << qint64(-1) << "{0}"
                                                     << QStringList{QString::number(Min + 1), QString::number(Min)} << P::None;
        QTest::newRow("a step past the largest number") << Max - 1 << Max << Max << "{0}"
                                                        << QStringList{QString::number(Max - 1)} << P::None;
        QTest::newRow("zero step") << qint64(1) << qint64(5) << qint64(0) << "{0}" << QStringList() << P::ZeroStep;
        QTest::newRow("empty range upward") << qint64(5) << qint64(1) << qint64(1) << "{0}" << QStringList() << P::EmptyRange;
        QTest::newRow("empty range downward") << qint64(1) << qint64(5) << qint64(-1) << "{0}" << QStringList() << P::EmptyRange;
        QTest::newRow("beyond the list's limit") << qint64(1) << qint64(MaxSequenceStrings) + 1 << qint64(1) << "{0}"
                                                 << QStringList() << P::TooMany;
        QTest::newRow("the whole 64-bit range") << Min << Max << qint64(1) << "{0}" << QStringList() << P::TooMany;
        QTest::newRow("no place for the number") << qint64(1) << qint64(3) << qint64(1) << "SN-000" << QStringList()
                                                 << P::NoPlace;
    }

    void Sequences()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(qint64, step);
        QFETCH(QString, pattern);
        QFETCH(QStringList, strings);
        QFETCH(TSequenceProblem, problem);
        const TSequence sequence{start, end, step, pattern};
        const TSequenceResult result = MakeSequence(sequence, MaxSequenceStrings);
        QCOMPARE(result.Problem, problem);
        QCOMPARE(result.Strings, strings);
        const QString message = SequenceProblemText(result, sequence, MaxSequenceStrings, Untranslated);
        QCOMPARE(message.isEmpty(), problem == TSequenceProblem::None);
    }

    // The limit is the list's: exactly as many strings are allowed, one more is not.
    void Limit()
    {
        const TSequenceResult full = MakeSequence({1, 1000, 1, QString()}, 1000);
        QCOMPARE(full.Problem, TSequenceProblem::None);
        QCOMPARE(full.Strings.size(), 1000);
        const TSequence over{0, 1000, 1, QString()};
        const TSequenceResult tooMany = MakeSequence(over, 1000);
        QCOMPARE(tooMany.Problem, TSequenceProblem::TooMany);
        QCOMPARE(tooMany.Count, quint64(1001));
        // The message names the count and the limit, in the user's way of writing numbers.
        const QString message = SequenceProblemText(tooMany, over, 1000, Untranslated);
        QVERIFY2(message.contains(QLocale().toString(1001)) && message.contains(QLocale().toString(1000)), qPrintable(message));
    }
};

QTEST_MAIN(TestBatchSequence)
#include "TestBatchSequence.moc"
