// Scoring an attempt: points, maximum, percent, the verdict's range, and the
// questions and letters a student is shown.
#include "model/Scoring.h"

#include <QtTest>

namespace {

struct Range
{
    std::string lower;
    std::string upper;
    std::string description;
};

using Scores = QList<int>;

const QList<Range> kPassFail{{"0", "59", "Test niezaliczony"}, {"60", "100", "Test zaliczony"}};

std::unique_ptr<TTest> MakeTest(const QList<Scores>& questions, bool percentage,
                                const QList<Range>& ranges)
{
    auto test = std::make_unique<TTest>();
    test->Percentage = percentage;
    for (const Range& range : ranges) {
        TScoreRange* added = test->AddRange();
        added->LowerBound = range.lower;
        added->UpperBound = range.upper;
        added->Description = range.description;
    }
    for (const Scores& scores : questions) {
        auto question = std::make_unique<TQuestion>();
        for (int score : scores)
            question->AddAnswer()->Score = score;
        test->Questions.push_back(std::move(question));
    }
    test->QuestionCount = static_cast<int32_t>(test->Questions.size());
    return test;
}

} // namespace

Q_DECLARE_METATYPE(QList<Scores>)
Q_DECLARE_METATYPE(QList<Range>)

class tst_Scoring : public QObject
{
    Q_OBJECT

private slots:
    void scoresAndFindsTheVerdict_data();
    void scoresAndFindsTheVerdict();
    void correctAnswersAreThoseWithTheBestScore_data();
    void correctAnswersAreThoseWithTheBestScore();
    void askedQuestionsLeaveEmptySlotsOut();
    void answerLetters_data();
    void answerLetters();
};

void tst_Scoring::scoresAndFindsTheVerdict_data()
{
    QTest::addColumn<QList<Scores>>("questions");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("percentage");
    QTest::addColumn<QList<Range>>("ranges");
    QTest::addColumn<qint64>("points");
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<qint64>("percent");
    QTest::addColumn<QString>("verdict");  // empty: no range holds the result

    const QList<Scores> twoPlain{{1, 0, 0}, {0, 1, 0}};
    QTest::newRow("0/1, all right") << twoPlain << QList<int>{0, 1} << true << kPassFail
                                    << qint64(2) << qint64(2) << qint64(100) << "Test zaliczony";
    QTest::newRow("0/1, one wrong") << twoPlain << QList<int>{0, 0} << true << kPassFail
                                    << qint64(1) << qint64(2) << qint64(50) << "Test niezaliczony";
    QTest::newRow("0/1, unanswered scores nothing")
        << twoPlain << QList<int>{-1, 1} << true << kPassFail << qint64(1) << qint64(2)
        << qint64(50) << "Test niezaliczony";
    QTest::newRow("0/2/0 counts two") << QList<Scores>{{0, 2, 0}, {1, 0, 0}} << QList<int>{1, 2}
                                      << true << kPassFail << qint64(2) << qint64(3) << qint64(66)
                                      << "Test zaliczony";
    QTest::newRow("five answers, the last right")
        << QList<Scores>{{0, 0, 0, 0, 1}} << QList<int>{4} << true << kPassFail << qint64(1)
        << qint64(1) << qint64(100) << "Test zaliczony";
    QTest::newRow("negative score, no range below zero")
        << QList<Scores>{{1, -1, 0}, {1, -1, 0}} << QList<int>{1, 1} << true << kPassFail
        << qint64(-2) << qint64(2) << qint64(-100) << "";
    QTest::newRow("negative score in a negative range")
        << QList<Scores>{{1, -1, 0}, {1, -1, 0}} << QList<int>{1, 1} << true
        << QList<Range>{{"-100", "-1", "Poniżej zera"}, {"0", "100", "Reszta"}} << qint64(-2)
        << qint64(2) << qint64(-100) << "Poniżej zera";
    QTest::newRow("negative percent rounds down")
        << QList<Scores>{{3, -1}} << QList<int>{1} << true << QList<Range>{} << qint64(-1)
        << qint64(3) << qint64(-34) << "";
    QTest::newRow("no correct answer: maximum and percent 0")
        << QList<Scores>{{0, 0, 0}} << QList<int>{0} << true << kPassFail << qint64(0) << qint64(0)
        << qint64(0) << "Test niezaliczony";
    QTest::newRow("59.5% rounds down to 59")
        << QList<Scores>{{200, 119}} << QList<int>{1} << true << kPassFail << qint64(119)
        << qint64(200) << qint64(59) << "Test niezaliczony";
    QTest::newRow("exactly 60% passes") << QList<Scores>{{5, 3}} << QList<int>{1} << true
                                        << kPassFail << qint64(3) << qint64(5) << qint64(60)
                                        << "Test zaliczony";
    const QList<Scores> threePlain{{1, 0}, {1, 0}, {1, 0}};
    QTest::newRow("points ranges use the points")
        << threePlain << QList<int>{0, 0, 1} << false
        << QList<Range>{{"0", "1", "Słabo"}, {"2", "3", "Dobrze"}} << qint64(2) << qint64(3)
        << qint64(66) << "Dobrze";
    QTest::newRow("percent ranges do not use the points")
        << threePlain << QList<int>{0, 0, 1} << true
        << QList<Range>{{"0", "2", "Punkty"}, {"60", "70", "Procent"}} << qint64(2) << qint64(3)
        << qint64(66) << "Procent";
    QTest::newRow("bound that is not an integer is passed over")
        << threePlain << QList<int>{0, 0, 0} << true
        << QList<Range>{{"0", "sto", "Zły"}, {"99.5", "100", "Ułamek"}, {"0", "100", "Dobry"}}
        << qint64(3) << qint64(3) << qint64(100) << "Dobry";
    QTest::newRow("empty bound is passed over")
        << threePlain << QList<int>{0, 0, 0} << true
        << QList<Range>{{"", "100", "Pusty"}, {" 50", "100", "Ze spacją"}} << qint64(3)
        << qint64(3) << qint64(100) << "Ze spacją";
    QTest::newRow("no matching range") << threePlain << QList<int>{0, 1, 1} << true
                                       << QList<Range>{{"50", "100", "Połowa"}} << qint64(1)
                                       << qint64(3) << qint64(33) << "";
    QTest::newRow("first range in file order wins")
        << threePlain << QList<int>{0, 0, 0} << true
        << QList<Range>{{"0", "100", "Pierwszy"}, {"100", "100", "Drugi"}} << qint64(3)
        << qint64(3) << qint64(100) << "Pierwszy";
    QTest::newRow("no questions") << QList<Scores>{} << QList<int>{} << true << kPassFail
                                  << qint64(0) << qint64(0) << qint64(0) << "Test niezaliczony";
}

void tst_Scoring::scoresAndFindsTheVerdict()
{
    QFETCH(QList<Scores>, questions);
    QFETCH(QList<int>, choices);
    QFETCH(bool, percentage);
    QFETCH(QList<Range>, ranges);
    QFETCH(qint64, points);
    QFETCH(qint64, maximum);
    QFETCH(qint64, percent);
    QFETCH(QString, verdict);

    const auto test = MakeTest(questions, percentage, ranges);
    const TScore score = ScoreAttempt(*test, QuestionsToAsk(*test),
                                      TChoices(choices.begin(), choices.end()));
    QCOMPARE(score.Points, points);
    QCOMPARE(score.Maximum, maximum);
    QCOMPARE(score.Percent, percent);
    QCOMPARE(score.Result, percentage ? percent : points);
    QCOMPARE(score.Range ? QString::fromStdString(score.Range->Description) : QString(), verdict);
}

void tst_Scoring::correctAnswersAreThoseWithTheBestScore_data()
{
    QTest::addColumn<Scores>("scores");
    QTest::addColumn<QList<int>>("correct");

    QTest::newRow("one right") << Scores{0, 1, 0} << QList<int>{1};
    QTest::newRow("highest of several") << Scores{1, 3, 2} << QList<int>{1};
    QTest::newRow("tie") << Scores{2, 0, 2} << QList<int>{0, 2};
    QTest::newRow("none above zero") << Scores{0, -1, 0} << QList<int>{};
}

void tst_Scoring::correctAnswersAreThoseWithTheBestScore()
{
    QFETCH(Scores, scores);
    QFETCH(QList<int>, correct);

    const auto test = MakeTest({scores}, true, {});
    const TAskedQuestion asked = QuestionsToAsk(*test).at(0);
    const std::vector<int> found = CorrectAnswers(asked);
    QCOMPARE(QList<int>(found.begin(), found.end()), correct);
    for (int i = -1; i <= scores.size(); ++i)
        QCOMPARE(IsCorrect(asked, i), correct.contains(i));
}

void tst_Scoring::askedQuestionsLeaveEmptySlotsOut()
{
    // A file may declare more questions and answers than it holds.
    auto test = MakeTest({{0, 1}, {1, 0}}, true, kPassFail);
    test->Questions.insert(test->Questions.begin() + 1, nullptr);
    test->Questions[0]->Answers.insert(test->Questions[0]->Answers.begin(), nullptr);
    test->Questions.push_back(nullptr);

    const std::vector<TAskedQuestion> asked = QuestionsToAsk(*test);
    QCOMPARE(asked.size(), size_t(2));
    QCOMPARE(asked[0].Question, test->Questions[0].get());
    QCOMPARE(asked[0].Answers.size(), size_t(2));
    QCOMPARE(asked[0].Answers[1], test->Questions[0]->Answers[2].get());
    QCOMPARE(asked[1].Question, test->Questions[2].get());

    const TScore score = ScoreAttempt(*test, asked, {1, 0});
    QCOMPARE(score.Points, qint64(2));
    QCOMPARE(score.Maximum, qint64(2));
    QCOMPARE(UnansweredCount({1, -1, -1}), 2);
}

void tst_Scoring::answerLetters_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("letter");

    QTest::newRow("first") << 0 << "A";
    QTest::newRow("third") << 2 << "C";
    QTest::newRow("last single") << 25 << "Z";
    QTest::newRow("first double") << 26 << "AA";
    QTest::newRow("second double") << 27 << "AB";
    QTest::newRow("last double") << 701 << "ZZ";
    QTest::newRow("first triple") << 702 << "AAA";
}

void tst_Scoring::answerLetters()
{
    QFETCH(int, index);
    QFETCH(QString, letter);
    QCOMPARE(QString::fromStdString(AnswerLetter(index)), letter);
}

QTEST_APPLESS_MAIN(tst_Scoring)
#include "tst_scoring.moc"
