// The test runner's window: refusing tests it cannot run, the start screen,
// answering by mouse and keys, finishing, the result with its review, and
// storing the attempt in the results file.
#include "FakeRunnerPrompts.h"
#include "TestSupport.h"

#include "model/Baza.h"
#include "runner/QuestionFont.h"
#include "runner/TRunner.h"
#include "ui/Cp1250.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct Answer
{
    QString text;
    int score;
};

struct Question
{
    QString text;
    int fontSize;
    QList<Answer> answers;
};

// Three questions of 3, 4 and 2 answers; B, C and A are right.
const QList<Question> kQuestions{
    {QStringLiteral("Stolica Polski to"), 0,
     {{QStringLiteral("Kraków"), 0}, {QStringLiteral("Warszawa"), 1}, {QStringLiteral("Gdańsk"), 0}}},
    {QStringLiteral("Najdłuższa rzeka Polski"), 20,
     {{QStringLiteral("Odra"), 0}, {QStringLiteral("Warta"), 0}, {QStringLiteral("Wisła"), 1},
      {QStringLiteral("Bug"), 0}}},
    {QStringLiteral("Najwyższy szczyt Polski"), 60,
     {{QStringLiteral("Rysy"), 1}, {QStringLiteral("Śnieżka"), 0}}},
};

using Ranges = QList<QStringList>;  // lower, upper, description
const Ranges kPassFail{{"0", "59", "Test niezaliczony"}, {"60", "100", "Test zaliczony"}};

void WriteTest(const QString& path, const QList<Question>& questions, const Ranges& ranges)
{
    TTest test;
    test.Title = ToCp1250(QStringLiteral("Sprawdzian z geografii"));
    test.Description = ToCp1250(QStringLiteral("Czas: 10 minut."));
    test.FontSize = 14;
    test.Percentage = true;
    for (const QStringList& range : ranges) {
        TScoreRange* added = test.AddRange();
        added->LowerBound = ToCp1250(range[0]);
        added->UpperBound = ToCp1250(range[1]);
        added->Description = ToCp1250(range[2]);
    }
    for (const Question& question : questions) {
        TQuestion* added = test.AddQuestion();
        added->Text = ToCp1250(question.text);
        added->FontSize = question.fontSize;
        added->Answers.clear();
        added->AnswerCount = 0;
        for (const Answer& answer : question.answers) {
            TAnswer* addedAnswer = added->AddAnswer();
            addedAnswer->Text = ToCp1250(answer.text);
            addedAnswer->Score = answer.score;
        }
    }
    TLines lines;
    test.SaveToLines(lines);
    SaveLinesToFile(QFile::encodeName(path).toStdString(), lines);
}

} // namespace

class tst_Runner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusesTestsItCannotRun_data();
    void refusesTestsItCannotRun();
    void startScreenShowsTheTestAndWantsAName();
    void questionScreenShowsEveryAnswer_data();
    void questionScreenShowsEveryAnswer();
    void fontSizeOfAQuestion_data();
    void fontSizeOfAQuestion();
    void keysChooseAndMove_data();
    void keysChooseAndMove();
    void mouseChoosesAndTheStripJumps();
    void finishingWithUnansweredQuestionsAsks();
    void resultScreenScoresAndReviews_data();
    void resultScreenScoresAndReviews();
    void noMatchingRangeShowsNoVerdict();
    void closingDuringTheTestAsks();
    void failedResultsWriteOffersSaveAs();

private:
    // Opens the fixture test, types the name and class and starts.
    void start(const QString& name = QStringLiteral("Jan Kowalski"),
               const QString& className = QStringLiteral("3b"));
    // Answers question i with choices[i] by its letter key (-1 skips it),
    // then finishes.
    void answerAndFinish(const QList<int>& choices);
    void key(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
    template<typename T = QWidget>
    T* child(const QString& name) const
    {
        auto* widget = m_runner->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QString labelText(const char* name) const { return child<QLabel>(name)->text(); }
    QList<int> choices() const
    {
        return QList<int>(m_runner->Choices().begin(), m_runner->Choices().end());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeRunnerPrompts> m_prompts;
    std::unique_ptr<TRunner> m_runner;
    QString m_testPath;
};

void tst_Runner::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_prompts = std::make_unique<FakeRunnerPrompts>();
    m_testPath = m_dir->filePath(QStringLiteral("Sprawdzian.test"));
    WriteTest(m_testPath, kQuestions, kPassFail);
    m_runner = std::make_unique<TRunner>();
    m_runner->show();
    m_runner->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_runner.get()));
}

void tst_Runner::cleanup()
{
    // Nothing to ask when the window goes at the end of a test.
    m_prompts->confirmAnswers = QList<bool>(4, true);
    m_runner.reset();
    m_prompts.reset();
    m_dir.reset();
}

void tst_Runner::start(const QString& name, const QString& className)
{
    QVERIFY(m_runner->OpenTest(m_testPath));
    TypeText(child("edtName"), name);
    TypeText(child("edtClass"), className);
    QTest::mouseClick(child("imgStart"), Qt::LeftButton);
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::QuestionScreen));
}

void tst_Runner::answerAndFinish(const QList<int>& answers)
{
    for (int i = 0; i < answers.size(); ++i) {
        QTest::mouseClick(child(QStringLiteral("btnQuestion%1").arg(i + 1)), Qt::LeftButton);
        if (answers[i] >= 0)
            key(Qt::Key_A + answers[i]);
    }
    m_prompts->confirmAnswers = {true};
    QTest::mouseClick(child("imgFinishTest"), Qt::LeftButton);
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::ResultScreen));
}

void tst_Runner::refusesTestsItCannotRun_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing file") << QByteArray() << "Cannot open file";
    QTest::newRow("reading error") << QByteArray("[TEST]\r\n[TYTU\xA3]Niedoko\xF1" "czony\r\n")
                                   << "Błąd w linii ";
    QTest::newRow("no questions")
        << QByteArray("[TEST]\r\n[TYTU\xA3]Pusty\r\n[ILE_ZAKRES\xD3W]0\r\n[ZAKRESY_KONIEC]\r\n"
                      "[ILE_PYTA\xD1]0\r\n  [PYTANIA_KONIEC]\r\n[TEST_KONIEC]\r\n")
        << "Ten test nie zawiera żadnych pytań.";
}

void tst_Runner::refusesTestsItCannotRun()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(QStringLiteral("zły.test"));
    if (!bytes.isEmpty())
        WriteBytes(path, bytes);

    QVERIFY(!m_runner->OpenTest(path));
    QCOMPARE(m_prompts->errors.size(), 1);
    QVERIFY2(m_prompts->errors[0].startsWith(reason), qPrintable(m_prompts->errors[0]));
    QVERIFY(m_prompts->errors[0].endsWith(QStringLiteral("\nTego testu nie można uruchomić.")));
    // The runner only reads.
    if (!bytes.isEmpty())
        QCOMPARE(ReadBytes(path), bytes);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), bytes.isEmpty() ? 1 : 2);
}

void tst_Runner::startScreenShowsTheTestAndWantsAName()
{
    const QByteArray before = ReadBytes(m_testPath);
    QVERIFY(m_runner->OpenTest(m_testPath));
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::StartScreen));
    QCOMPARE(labelText("lblTitle"), QStringLiteral("Sprawdzian z geografii"));
    QCOMPARE(labelText("lblDescription"), QStringLiteral("Czas: 10 minut."));
    QCOMPARE(labelText("lblQuestionCount"), QStringLiteral("Liczba pytań: 3"));
    QTRY_COMPARE(QApplication::focusWidget(), child("edtName"));

    // A name of spaces is no name.
    TypeText(child("edtName"), QStringLiteral("   "));
    QTest::mouseClick(child("imgStart"), Qt::LeftButton);
    QCOMPARE(m_prompts->messages, QStringList{QStringLiteral("Wpisz imię i nazwisko.")});
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::StartScreen));

    // Enter walks from the name to the class and starts from there.
    TypeText(child("edtName"), QStringLiteral("Zażółć Gęślą"));
    QTest::keyClick(child("edtName"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child("edtClass"));
    QTest::keyClick(child("edtClass"), Qt::Key_Return);
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::QuestionScreen));
    QCOMPARE(ReadBytes(m_testPath), before);
}

void tst_Runner::questionScreenShowsEveryAnswer_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("points");

    QTest::newRow("three answers, the test's size") << 0 << 14;
    QTest::newRow("four answers, its own size") << 1 << 20;
    QTest::newRow("two answers, size held at 48") << 2 << 48;
}

void tst_Runner::questionScreenShowsEveryAnswer()
{
    QFETCH(int, question);
    QFETCH(int, points);
    start();
    QTest::mouseClick(child(QStringLiteral("btnQuestion%1").arg(question + 1)), Qt::LeftButton);

    QCOMPARE(labelText("lblQuestionNumber"), QStringLiteral("Pytanie %1 z 3").arg(question + 1));
    QCOMPARE(labelText("lblQuestionText"), kQuestions[question].text);
    QVERIFY(child<QLabel>("lblQuestionText")->wordWrap());
    QCOMPARE(child<QLabel>("lblQuestionText")->font().pointSize(), points);
    const QList<Answer>& answers = kQuestions[question].answers;
    QCOMPARE(child("answers")->findChildren<QRadioButton*>().size(), answers.size());
    for (int i = 0; i < answers.size(); ++i) {
        auto* radio = child<QRadioButton>(QStringLiteral("rbAnswer%1").arg(i));
        QCOMPARE(radio->text(), QString(QChar('A' + i)) + QLatin1Char('.'));
        QVERIFY(!radio->isChecked());
        auto* text = child<QLabel>(QStringLiteral("lblAnswer%1").arg(i));
        QCOMPARE(text->text(), answers[i].text);
        QVERIFY(text->wordWrap());
        QCOMPARE(text->font().pointSize(), points);
    }
    QCOMPARE(child("imgPrevious")->isVisible(), question > 0);
    QCOMPARE(child("imgNext")->isVisible(), question < 2);
}

void tst_Runner::fontSizeOfAQuestion_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("points");

    QTest::newRow("question's own") << 20 << 14 << 20;
    QTest::newRow("test's when the question has none") << 0 << 14 << 14;
    QTest::newRow("default when neither has one") << 0 << 0 << kDefaultQuestionPoints;
    QTest::newRow("negative sizes count as none") << -5 << -1 << kDefaultQuestionPoints;
    QTest::newRow("too small held at 8") << 3 << 14 << 8;
    QTest::newRow("too large held at 48") << 0 << 200 << 48;
    QTest::newRow("limits themselves") << 48 << 8 << 48;
}

void tst_Runner::fontSizeOfAQuestion()
{
    QFETCH(int, question);
    QFETCH(int, test);
    QFETCH(int, points);
    QCOMPARE(QuestionFontPoints(question, test), points);
}

void tst_Runner::keysChooseAndMove_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<int>("current");

    QTest::newRow("letters, Right moves on")
        << QList<int>{Qt::Key_B, Qt::Key_Right, Qt::Key_C, Qt::Key_Right, Qt::Key_A}
        << QList<int>{1, 2, 0} << 2;
    QTest::newRow("digits, PgDn moves on")
        << QList<int>{Qt::Key_2, Qt::Key_PageDown, Qt::Key_4, Qt::Key_PageDown, Qt::Key_1}
        << QList<int>{1, 3, 0} << 2;
    QTest::newRow("Enter goes on") << QList<int>{Qt::Key_B, Qt::Key_Return, Qt::Key_D, Qt::Key_Enter}
                                   << QList<int>{1, 3, -1} << 2;
    QTest::newRow("Left and PgUp go back")
        << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_A, Qt::Key_PageUp,
                      Qt::Key_C}
        << QList<int>{2, 0, -1} << 0;
    QTest::newRow("a later key changes the choice") << QList<int>{Qt::Key_A, Qt::Key_C}
                                                    << QList<int>{2, -1, -1} << 0;
    QTest::newRow("keys past the answers do nothing")
        << QList<int>{Qt::Key_D, Qt::Key_4, Qt::Key_Right, Qt::Key_Right, Qt::Key_C, Qt::Key_3}
        << QList<int>{-1, -1, -1} << 2;
    QTest::newRow("no way before the first or past the last")
        << QList<int>{Qt::Key_Left, Qt::Key_PageUp, Qt::Key_A, Qt::Key_Right, Qt::Key_Right,
                      Qt::Key_Right, Qt::Key_PageDown}
        << QList<int>{0, -1, -1} << 2;
}

void tst_Runner::keysChooseAndMove()
{
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, chosen);
    QFETCH(int, current);
    start();
    for (int k : keys)
        key(k);
    QCOMPARE(choices(), chosen);
    QCOMPARE(m_runner->CurrentQuestion(), current);
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::QuestionScreen));
    // The screen shows the choice of the question it shows.
    const int shown = chosen[current];
    for (QRadioButton* radio : child("answers")->findChildren<QRadioButton*>())
        QCOMPARE(radio->isChecked(), radio->objectName() == QStringLiteral("rbAnswer%1").arg(shown));
}

void tst_Runner::mouseChoosesAndTheStripJumps()
{
    start();
    QTest::mouseClick(child("rbAnswer1"), Qt::LeftButton);
    QCOMPARE(choices(), (QList<int>{1, -1, -1}));
    // A click on the answer's text chooses it too.
    QTest::mouseClick(child("lblAnswer2"), Qt::LeftButton);
    QCOMPARE(choices(), (QList<int>{2, -1, -1}));
    QVERIFY(child<QRadioButton>("rbAnswer2")->isChecked());
    QVERIFY(child("btnQuestion1")->property("answered").toBool());
    QVERIFY(!child("btnQuestion2")->property("answered").toBool());

    QTest::mouseClick(child("btnQuestion3"), Qt::LeftButton);
    QCOMPARE(m_runner->CurrentQuestion(), 2);
    QTest::mouseClick(child("imgPrevious"), Qt::LeftButton);
    QCOMPARE(m_runner->CurrentQuestion(), 1);
    QTest::mouseClick(child("rbAnswer3"), Qt::LeftButton);
    QTest::mouseClick(child("imgNext"), Qt::LeftButton);
    QCOMPARE(m_runner->CurrentQuestion(), 2);
    QCOMPARE(choices(), (QList<int>{2, 3, -1}));
    QVERIFY(child("btnQuestion2")->property("answered").toBool());

    // Going back shows the answer chosen before.
    QTest::mouseClick(child("btnQuestion1"), Qt::LeftButton);
    QVERIFY(child<QRadioButton>("rbAnswer2")->isChecked());
}

void tst_Runner::finishingWithUnansweredQuestionsAsks()
{
    start();
    key(Qt::Key_B);
    m_prompts->confirmAnswers = {false};
    QTest::mouseClick(child("imgFinishTest"), Qt::LeftButton);
    QCOMPARE(m_prompts->questions,
             QStringList{QStringLiteral("Nie odpowiedziano na 2 pytań. Zakończyć test?")});
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::QuestionScreen));
    QVERIFY(!QFile::exists(m_runner->ResultsPath()));

    // Enter on the last question finishes as the button does.
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_A);
    m_prompts->confirmAnswers = {true};
    key(Qt::Key_Return);
    QCOMPARE(m_prompts->questions.size(), 2);
    QCOMPARE(m_prompts->questions[1], QStringLiteral("Nie odpowiedziano na 1 pytań. Zakończyć test?"));
    QCOMPARE(m_runner->ScreenIndex(), int(TRunner::ResultScreen));
}

void tst_Runner::resultScreenScoresAndReviews_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QStringList>("chosenTexts");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QByteArray>("csvTail");  // the line after the date and time

    const QStringList correct{"B. Warszawa", "C. Wisła", "A. Rysy"};
    QTest::newRow("all right") << QList<int>{1, 2, 0} << "Wynik: 3 z 3 pkt (100%)"
                               << "Test zaliczony" << correct
                               << QStringList{"dobrze", "dobrze", "dobrze"}
                               << QByteArray(";Jan Kowalski;3b;3;3;100;Test zaliczony;B,C,A\r\n");
    QTest::newRow("two of three") << QList<int>{1, 0, 0} << "Wynik: 2 z 3 pkt (66%)"
                                  << "Test zaliczony"
                                  << QStringList{"B. Warszawa", "A. Odra", "A. Rysy"}
                                  << QStringList{"dobrze", "źle", "dobrze"}
                                  << QByteArray(";Jan Kowalski;3b;2;3;66;Test zaliczony;B,A,A\r\n");
    QTest::newRow("one unanswered") << QList<int>{-1, 2, 1} << "Wynik: 1 z 3 pkt (33%)"
                                    << "Test niezaliczony"
                                    << QStringList{"brak odpowiedzi", "C. Wisła", "B. Śnieżka"}
                                    << QStringList{"źle", "dobrze", "źle"}
                                    << QByteArray(";Jan Kowalski;3b;1;3;33;Test niezaliczony;-,C,B\r\n");
}

void tst_Runner::resultScreenScoresAndReviews()
{
    QFETCH(QList<int>, answers);
    QFETCH(QString, score);
    QFETCH(QString, verdict);
    QFETCH(QStringList, chosenTexts);
    QFETCH(QStringList, marks);
    QFETCH(QByteArray, csvTail);
    start();
    answerAndFinish(answers);

    QCOMPARE(labelText("lblStudent"), QStringLiteral("Jan Kowalski, klasa 3b"));
    QCOMPARE(labelText("lblScore"), score);
    QCOMPARE(labelText("lblVerdict"), verdict);
    QVERIFY(child("lblVerdict")->isVisible());
    auto* review = child<QTableWidget>("tblReview");
    QCOMPARE(review->rowCount(), 3);
    const QStringList correct{"B. Warszawa", "C. Wisła", "A. Rysy"};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(review->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(review->item(row, 1)->text(), kQuestions[row].text);
        QCOMPARE(review->item(row, 2)->text(), chosenTexts[row]);
        QCOMPARE(review->item(row, 3)->text(), correct[row]);
        QCOMPARE(review->item(row, 4)->text(), marks[row]);
    }

    // The attempt is in the teacher's file beside the test.
    QCOMPARE(m_runner->ResultsPath(), m_dir->filePath(QStringLiteral("Sprawdzian – wyniki.csv")));
    QVERIFY(m_runner->ResultsSaved());
    QVERIFY(m_prompts->errors.isEmpty());
    QVERIFY(!child("imgSaveAs")->isVisible());
    const QByteArray csv = ReadBytes(m_runner->ResultsPath());
    const QByteArray header = "\xEF\xBB\xBF" "Data i godzina;Imię i nazwisko;Klasa;Punkty;Maksimum;"
                              "Procent;Ocena;Odpowiedzi\r\n";
    QVERIFY(csv.startsWith(header));
    const QByteArray line = csv.mid(header.size());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d"))
                 .match(QString::fromUtf8(line)).hasMatch(), line.constData());
    QCOMPARE(line.mid(line.indexOf(';')), csvTail);

    // Nothing is left unsaved, so "Zakończ" closes at once.
    const int asked = m_prompts->questions.size();
    QTest::mouseClick(child("imgClose"), Qt::LeftButton);
    QCOMPARE(m_prompts->questions.size(), asked);
    QTRY_VERIFY(!m_runner->isVisible());
}

void tst_Runner::noMatchingRangeShowsNoVerdict()
{
    WriteTest(m_testPath, kQuestions, {{"90", "100", "Celujący"}, {"0", "sto", "Zły zakres"}});
    start();
    answerAndFinish({1, 0, 1});
    QCOMPARE(labelText("lblScore"), QStringLiteral("Wynik: 1 z 3 pkt (33%)"));
    QVERIFY(!child("lblVerdict")->isVisible());
    QVERIFY(ReadBytes(m_runner->ResultsPath()).endsWith(";1;3;33;;B,A,B\r\n"));
}

void tst_Runner::closingDuringTheTestAsks()
{
    // Nothing to lose on the start screen.
    QVERIFY(m_runner->OpenTest(m_testPath));
    m_prompts->confirmAnswers = {false};
    QVERIFY(m_runner->close());
    QVERIFY(m_prompts->questions.isEmpty());

    m_runner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_runner.get()));
    start();
    key(Qt::Key_A);
    m_prompts->confirmAnswers = {false};
    QVERIFY(!m_runner->close());
    QCOMPARE(m_prompts->questions.size(), 1);
    QVERIFY(m_runner->isVisible());
    QCOMPARE(choices(), (QList<int>{0, -1, -1}));

    m_prompts->confirmAnswers = {true};
    QVERIFY(m_runner->close());
    QVERIFY(!m_runner->isVisible());
    QVERIFY(!QFile::exists(m_runner->ResultsPath()));
}

void tst_Runner::failedResultsWriteOffersSaveAs()
{
    // A folder where the results file should be: the write fails.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Sprawdzian – wyniki.csv")));
    start();
    answerAndFinish({1, 2, 0});
    QCOMPARE(m_prompts->errors.size(), 1);
    QVERIFY2(m_prompts->errors[0].contains(QStringLiteral("to jest folder")),
             qPrintable(m_prompts->errors[0]));
    QVERIFY(!m_runner->ResultsSaved());
    QVERIFY(child("imgSaveAs")->isVisible());
    QVERIFY(labelText("lblSaved").contains(QStringLiteral("Zapisz wyniki jako…")));
    QCOMPARE(labelText("lblScore"), QStringLiteral("Wynik: 3 z 3 pkt (100%)"));

    // Closing now would lose the result: the runner asks.
    m_prompts->confirmAnswers = {false};
    QVERIFY(!m_runner->close());
    QCOMPARE(m_prompts->questions,
             QStringList{QStringLiteral("Wyniki nie zostały zapisane. Zamknąć mimo to?")});

    // A cancelled dialog changes nothing; another file takes the line.
    QTest::mouseClick(child("imgSaveAs"), Qt::LeftButton);
    QCOMPARE(m_prompts->saveProposal, m_dir->filePath(QStringLiteral("Sprawdzian – wyniki.csv")));
    QVERIFY(!m_runner->ResultsSaved());
    const QString other = m_dir->filePath(QStringLiteral("inne.csv"));
    m_prompts->saveAnswers = {other};
    QTest::mouseClick(child("imgSaveAs"), Qt::LeftButton);
    QVERIFY(m_runner->ResultsSaved());
    QCOMPARE(m_runner->ResultsPath(), other);
    QVERIFY(!child("imgSaveAs")->isVisible());
    QVERIFY(ReadBytes(other).endsWith(";Jan Kowalski;3b;3;3;100;Test zaliczony;B,C,A\r\n"));
    QCOMPARE(m_prompts->errors.size(), 1);
    QVERIFY(m_runner->close());
}

QTEST_MAIN(tst_Runner)
#include "tst_runner.moc"
