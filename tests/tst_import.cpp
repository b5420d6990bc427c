// Importing questions from another test: the check list, the random draw
// and the copy into the current test.

#include "MainWindow.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "app/RandomDraw.h"
#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "ui/Cp1250.h"
#include "ui/QuestionList.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBrowser>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class tst_Import : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void drawTicksExactlyTheNumberAsked_data();
    void drawTicksExactlyTheNumberAsked();
    void drawReachesEveryPosition();
    void drawProposesAllWhenFewerThanTen();
    void drawTicksTenDistinctReplacingHandTicks();
    void drawLeavesTicksWhenNothingIsAsked_data();
    void drawLeavesTicksWhenNothingIsAsked();
    void emptySourceShowsNothingAndProposesZero();
    void importReplacesThePlaceholderOfAFreshTest();
    void importKeepsAnEditedOnlyQuestion();
    void importWithNothingTickedChangesNothing();
    void anulujGoesBackWithoutChanges();
    void copiesQuestionsFaithfully();
    void savedFileAfterImport();
    void unreadableSourceStaysOnTheEditor();
    void sourceWithAReadingErrorShowsWhatWasRead();
    void importsFromTheCurrentTestsOwnFile();
    void closingTheTestReleasesTheSource();
    void ticksShowTheirCount();
    void previewShowsTheHighlightedQuestionInFull();
    void longQuestionsScrollSideways_data();
    void longQuestionsScrollSideways();

private:
    QWidget* child(const char* name) const { return m_window->child(name); }
    QuestionList* importList() const;
    void tick(int row);
    // Creates "Nowy test" and walks to the question editor.
    void createTestAndEnterQuestions();
    // Writes a source test whose questions are "Pytanie źródłowe 1", ...
    QString writeSource(int questions, const QString& name = QStringLiteral("Źródło.test"));
    void chooseSource(const QString& path);
    // Presses "wylosuj" and answers the count dialog.
    void draw(const std::function<void(QDialog*)>& answer);
    QList<int> tickedRows() const;

    std::unique_ptr<MainWindow> m_window;
};

void tst_Import::init()
{
    m_window = std::make_unique<MainWindow>();
}

void tst_Import::cleanup()
{
    m_window.reset();
}

QuestionList* tst_Import::importList() const
{
    return static_cast<QuestionList*>(child("lstImport"));
}

void tst_Import::tick(int row)
{
    QAbstractItemModel* model = importList()->model();
    QVERIFY(model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole));
}

void tst_Import::createTestAndEnterQuestions()
{
    WhenModalShown([](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("img2")), Qt::LeftButton);
    });
    QTest::mouseClick(child("img2"), Qt::LeftButton);
    QTest::mouseClick(child("imgNext"), Qt::LeftButton);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
}

QString tst_Import::writeSource(int questions, const QString& name)
{
    TTest source;
    source.Title = "Test \x9F" "r\xF3" "d\xB3owy";  // "Test źródłowy"
    for (int i = 0; i < questions; ++i) {
        TQuestion* question = source.AddQuestion();
        question->Text = "Pytanie \x9F" "r\xF3" "d\xB3owe " + std::to_string(i + 1);
        question->GetAnswer(0)->Score = 0;
        question->GetAnswer(2)->Score = 1;
    }
    const QString path = m_window->dir.filePath(name);
    WriteTestFile(source, path);
    return path;
}

void tst_Import::chooseSource(const QString& path)
{
    m_window->prompts.openAnswers << path;
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);
}

void tst_Import::draw(const std::function<void(QDialog*)>& answer)
{
    WhenModalShown(answer);
    QTest::mouseClick(child("imgWylosuj"), Qt::LeftButton);
}

QList<int> tst_Import::tickedRows() const
{
    QList<int> rows;
    for (int row = 0; row < importList()->count(); ++row) {
        if (importList()->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            rows << row;
    }
    return rows;
}

void tst_Import::drawTicksExactlyTheNumberAsked_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<int>("expected");

    QTest::newRow("ten of thirty") << 30 << 10 << 10;
    QTest::newRow("all but one") << 30 << 29 << 29;
    QTest::newRow("one of one") << 1 << 1 << 1;
    QTest::newRow("more than there are") << 7 << 10 << 7;
    QTest::newRow("none asked") << 5 << 0 << 0;
    QTest::newRow("negative") << 5 << -2 << 0;
    QTest::newRow("empty list") << 0 << 10 << 0;
}

void tst_Import::drawTicksExactlyTheNumberAsked()
{
    QFETCH(int, count);
    QFETCH(int, wanted);
    QFETCH(int, expected);

    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::mt19937 generator(seed);
        const std::vector<bool> ticked = DrawPositions(count, wanted, generator);
        QCOMPARE(int(ticked.size()), count);
        QCOMPARE(int(std::count(ticked.begin(), ticked.end(), true)), expected);
    }
}

void tst_Import::drawReachesEveryPosition()
{
    std::vector<int> hits(30, 0);
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 generator(seed);
        const std::vector<bool> ticked = DrawPositions(30, 3, generator);
        for (int i = 0; i < 30; ++i)
            hits[std::size_t(i)] += ticked[std::size_t(i)];
    }
    for (int i = 0; i < 30; ++i)
        QVERIFY2(hits[std::size_t(i)] > 0, qPrintable(QString::number(i)));
}

void tst_Import::drawProposesAllWhenFewerThanTen()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(7));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    QCOMPARE(importList()->count(), 7);

    int proposal = -1;
    draw([&](QDialog* dialog) {
        proposal = dialog->findChild<QSpinBox*>(QStringLiteral("edt1"))->value();
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("img2")), Qt::LeftButton);
    });
    QCOMPARE(proposal, 7);
    QCOMPARE(tickedRows(), QList<int>({0, 1, 2, 3, 4, 5, 6}));
}

void tst_Import::drawTicksTenDistinctReplacingHandTicks()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(30));
    // Ticks made by hand before the draw do not stay.
    for (int row = 0; row < 30; row += 2)
        tick(row);

    draw([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QCOMPARE(tickedRows().size(), 10);
}

void tst_Import::drawLeavesTicksWhenNothingIsAsked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("cancel") << QString() << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("negative") << "-4" << false;
}

void tst_Import::drawLeavesTicksWhenNothingIsAsked()
{
    QFETCH(QString, typed);
    QFETCH(bool, cancel);

    createTestAndEnterQuestions();
    chooseSource(writeSource(12));
    tick(0);
    tick(5);

    draw([&](QDialog* dialog) {
        if (cancel) {
            QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("img1")), Qt::LeftButton);
            return;
        }
        auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("edt1"));
        spin->selectAll();
        QTest::keyClicks(spin, typed);
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("img2")), Qt::LeftButton);
    });
    QCOMPARE(tickedRows(), QList<int>({0, 5}));
}

void tst_Import::emptySourceShowsNothingAndProposesZero()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(0));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    QCOMPARE(importList()->count(), 0);

    int proposal = -1;
    draw([&](QDialog* dialog) {
        proposal = dialog->findChild<QSpinBox*>(QStringLiteral("edt1"))->value();
        dialog->reject();
    });
    QCOMPARE(proposal, 0);
}

void tst_Import::importReplacesThePlaceholderOfAFreshTest()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(4));
    QVERIFY(!child("imgPrev")->isVisible());
    QVERIFY(!child("imgNext")->isVisible());
    QVERIFY(child("imgExit")->isVisible());
    tick(1);
    tick(3);
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    QCOMPARE(m_window->prompts.beeps, 1);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(child("imgPrev")->isVisible());
    QVERIFY(!child("imgNext")->isVisible());
    QVERIFY(!m_window->form->ImportSource);
    QCOMPARE(importList()->count(), 0);
    const TTest& test = *m_window->form->CurrentTest;
    QCOMPARE(test.QuestionCount, 2);
    QCOMPARE(test.Questions[0]->Text, std::string("Pytanie \x9F" "r\xF3" "d\xB3owe 2"));
    QCOMPARE(test.Questions[1]->Text, std::string("Pytanie \x9F" "r\xF3" "d\xB3owe 4"));
    auto* list = static_cast<QuestionList*>(child("lstQuestions"));
    QCOMPARE(list->count(), 2);
    QVERIFY(list->model()->index(0, 0).data().toString().startsWith(QStringLiteral("Pytanie źródłowe 2")));
    QVERIFY(list->model()->index(1, 0).data().toString().startsWith(QStringLiteral("Pytanie źródłowe 4")));
}

void tst_Import::importKeepsAnEditedOnlyQuestion()
{
    createTestAndEnterQuestions();
    auto* memo = static_cast<QPlainTextEdit*>(child("mmo1"));
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo, "?");
    QCOMPARE(m_window->form->CurrentTest->Questions[0]->Text, std::string("Pytanie nr 1?"));

    chooseSource(writeSource(3));
    tick(0);
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    QCOMPARE(m_window->prompts.beeps, 0);
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 2);
    QCOMPARE(m_window->form->CurrentTest->Questions[0]->Text, std::string("Pytanie nr 1?"));
}

void tst_Import::importWithNothingTickedChangesNothing()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(3));
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
    QCOMPARE(m_window->form->CurrentTest->Questions[0]->Text, std::string("Pytanie nr 1"));
    QCOMPARE(m_window->prompts.beeps, 0);
}

void tst_Import::anulujGoesBackWithoutChanges()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(3));
    tick(0);
    QTest::mouseClick(child("imgAnuluj"), Qt::LeftButton);

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);
    QCOMPARE(importList()->count(), 0);
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
    QVERIFY(child("imgPrev")->isVisible());
}

void tst_Import::copiesQuestionsFaithfully()
{
    TTest source;
    TQuestion* two = source.AddQuestion();
    two->Answers.pop_back();
    two->AnswerCount = 2;
    two->GetAnswer(0)->Score = 0;
    two->GetAnswer(1)->Score = 1;
    two->Kind = "Prawda/fa\xB3sz";
    two->FontSize = 18;
    TQuestion* four = source.AddQuestion();
    four->AddAnswer()->Text = "Odpowied\x9F D";
    four->GetAnswer(3)->Score = 2;
    const QString path = m_window->dir.filePath(QStringLiteral("Różne.test"));
    WriteTestFile(source, path);

    createTestAndEnterQuestions();
    chooseSource(path);
    tick(0);
    tick(1);
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    // Showing the copies in the editor changed nothing either.
    const TTest& test = *m_window->form->CurrentTest;
    QCOMPARE(test.QuestionCount, 2);
    for (int i = 0; i < 2; ++i) {
        const TQuestion& copy = *test.Questions[std::size_t(i)];
        const TQuestion& original = *source.Questions[std::size_t(i)];
        QCOMPARE(copy.Text, original.Text);
        QCOMPARE(copy.Kind, original.Kind);
        QCOMPARE(copy.FontSize, original.FontSize);
        QCOMPARE(copy.AnswerCount, original.AnswerCount);
        QCOMPARE(copy.Answers.size(), original.Answers.size());
        for (std::size_t j = 0; j < copy.Answers.size(); ++j) {
            QCOMPARE(copy.Answers[j]->Text, original.Answers[j]->Text);
            QCOMPARE(copy.Answers[j]->Score, original.Answers[j]->Score);
        }
    }
}

void tst_Import::savedFileAfterImport()
{
    TTest source;
    source.AddQuestion()->Text = "Ile to 2 + 2?";
    source.Questions[0]->GetAnswer(0)->Text = "3";
    source.Questions[0]->GetAnswer(0)->Score = 0;
    source.Questions[0]->GetAnswer(1)->Text = "4";
    source.Questions[0]->GetAnswer(1)->Score = 1;
    source.Questions[0]->GetAnswer(2)->Text = "5";
    const QString sourcePath = m_window->dir.filePath(QStringLiteral("Matematyka.test"));
    WriteTestFile(source, sourcePath);

    createTestAndEnterQuestions();
    chooseSource(sourcePath);
    tick(0);
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);
    QTest::mouseClick(child("imgPrev"), Qt::LeftButton);

    QByteArray expected = DefaultTestFile;
    // The description memo of a new test holds one line break, stored as a space.
    expected.replace("[OPIS]\r\n", "[OPIS] \r\n");
    expected.replace("Pytanie nr 1", "Ile to 2 + 2?");
    expected.replace("Odpowied\x9F A\r\n        [PUNKTACJA_ODPOWIEDZI]1",
                     "3\r\n        [PUNKTACJA_ODPOWIEDZI]0");
    expected.replace("Odpowied\x9F B\r\n        [PUNKTACJA_ODPOWIEDZI]0",
                     "4\r\n        [PUNKTACJA_ODPOWIEDZI]1");
    expected.replace("Odpowied\x9F C", "5");
    QCOMPARE(ReadBytes(m_window->form->CurrentTestPath), expected);
}

void tst_Import::unreadableSourceStaysOnTheEditor()
{
    createTestAndEnterQuestions();
    chooseSource(m_window->dir.filePath(QStringLiteral("Nie ma.test")));

    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY(m_window->prompts.errors.first().startsWith(QStringLiteral("Cannot open file ")));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);
    QVERIFY(child("imgPrev")->isVisible());
}

void tst_Import::sourceWithAReadingErrorShowsWhatWasRead()
{
    QByteArray broken = ReadBytes(writeSource(3));
    broken.truncate(broken.indexOf("  [PYTANIA_KONIEC]"));
    const QString path = m_window->dir.filePath(QStringLiteral("Ucięty.test"));
    WriteBytes(path, broken);

    createTestAndEnterQuestions();
    chooseSource(path);

    QCOMPARE(m_window->prompts.messages.size(), 1);
    QVERIFY(m_window->prompts.messages.first().startsWith(QStringLiteral("Błąd w linii ")));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    QCOMPARE(importList()->count(), 3);
}

void tst_Import::importsFromTheCurrentTestsOwnFile()
{
    createTestAndEnterQuestions();
    // Typed but not yet saved: the import copies what is on disk.
    auto* memo = static_cast<QPlainTextEdit*>(child("mmo1"));
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo, "!");
    chooseSource(m_window->form->CurrentTestPath);
    QCOMPARE(importList()->count(), 1);
    tick(0);
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 2);
    QCOMPARE(m_window->form->CurrentTest->Questions[0]->Text, std::string("Pytanie nr 1!"));
    QCOMPARE(m_window->form->CurrentTest->Questions[1]->Text, std::string("Pytanie nr 1"));
}

void tst_Import::closingTheTestReleasesTheSource()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(3));
    QVERIFY(m_window->form->ImportSource);
    QTest::mouseClick(child("imgExit"), Qt::LeftButton);

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::StartPage));
    QVERIFY(!m_window->form->ImportSource);
    QVERIFY(!m_window->form->CurrentTest);
    QCOMPARE(importList()->count(), 0);
}

void tst_Import::ticksShowTheirCount()
{
    createTestAndEnterQuestions();
    chooseSource(writeSource(12));
    auto* count = static_cast<QLabel*>(child("lblTicked"));
    QCOMPARE(count->text(), QStringLiteral("Zaznaczono 0 z 12"));

    // Space ticks the highlighted row, a click on its box ticks another.
    importList()->setFocus();
    QCOMPARE(importList()->currentRow(), 0);
    QTest::keyClick(importList(), Qt::Key_Space);
    QCOMPARE(tickedRows(), QList<int>{0});
    QStyleOptionViewItem option;
    option.initFrom(importList());
    option.rect = importList()->visualRect(importList()->model()->index(3, 0));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = importList()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option,
                                                            importList());
    QTest::mouseClick(importList()->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(tickedRows(), QList<int>({0, 3}));
    QCOMPARE(count->text(), QStringLiteral("Zaznaczono 2 z 12"));

    draw([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QCOMPARE(count->text(), QStringLiteral("Zaznaczono 10 z 12"));

    QTest::mouseClick(child("imgAnuluj"), Qt::LeftButton);
    chooseSource(writeSource(4, QStringLiteral("Inne.test")));
    QCOMPARE(count->text(), QStringLiteral("Zaznaczono 0 z 4"));
}

void tst_Import::previewShowsTheHighlightedQuestionInFull()
{
    TTest source;
    for (const char* text : {"Pierwsze", "Drugie <pytanie> & wi\xEA" "cej"}) {
        TQuestion* question = source.AddQuestion();
        question->Text = text;
    }
    TQuestion* second = source.GetQuestion(1);
    second->GetAnswer(0)->Text = "Tak";
    second->GetAnswer(1)->Text = "Nie";
    second->GetAnswer(2)->Text = "Nie wiem";
    second->GetAnswer(0)->Score = 0;
    second->GetAnswer(1)->Score = 1;
    const QString path = m_window->dir.filePath(QStringLiteral("Podgląd.test"));
    WriteTestFile(source, path);

    createTestAndEnterQuestions();
    chooseSource(path);
    auto* preview = static_cast<QTextBrowser*>(child("txtImportPreview"));
    QVERIFY(preview->toPlainText().startsWith(QStringLiteral("Pierwsze")));

    QTest::mouseClick(importList()->viewport(), Qt::LeftButton, {},
                      importList()->visualRect(importList()->model()->index(1, 0)).center());
    QCOMPARE(preview->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("Drugie <pytanie> & więcej"),
                          QStringLiteral("A) Tak"), QStringLiteral("B) Nie ✔ poprawna"),
                          QStringLiteral("C) Nie wiem")}));
    // Looking at a question ticks nothing.
    QCOMPARE(tickedRows(), QList<int>());
}

void tst_Import::longQuestionsScrollSideways_data()
{
    QTest::addColumn<int>("repeats");
    QTest::newRow("short") << 1;
    QTest::newRow("three lines' worth") << 12;
}

void tst_Import::longQuestionsScrollSideways()
{
    QFETCH(int, repeats);
    TTest source;
    std::string longest;
    for (int i = 0; i < repeats; ++i)
        longest += "Kt\xF3ra z rzek jest d\xB3u\xBFsza ni\xBF lista? ";
    source.AddQuestion()->Text = "Kr\xF3tkie";
    source.AddQuestion()->Text = longest;
    const QString path = m_window->dir.filePath(QStringLiteral("Szerokie.test"));
    WriteTestFile(source, path);

    createTestAndEnterQuestions();
    chooseSource(path);
    QScrollBar* sideways = importList()->horizontalScrollBar();
    const int textWidth = QFontMetrics(importList()->font()).horizontalAdvance(FromCp1250(longest));
    const int viewWidth = importList()->viewport()->width();
    if (textWidth < viewWidth / 2) {
        QCOMPARE(sideways->maximum(), 0);
        return;
    }
    // The whole of the widest text can be scrolled into view, and no more
    // than a little beyond it.
    QVERIFY(sideways->maximum() + viewWidth >= textWidth);
    QVERIFY(sideways->maximum() + viewWidth <= textWidth + 80);
    sideways->setValue(sideways->maximum());
    QCOMPARE(importList()->visualRect(importList()->model()->index(1, 0)).right(), viewWidth - 1);
}

QTEST_MAIN(tst_Import)
#include "tst_import.moc"
