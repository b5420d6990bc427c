// The question editor: the question list, the question text, the answers
// with their inline editor and radio buttons, adding and deleting questions
// and the splitter.

#include "Fixtures.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include "app/QuestionListModel.h"
#include "app/TForm1.h"
#include "ui/QuestionItemDelegate.h"
#include "ui/QuestionList.h"
#include "ui/WrapLabel.h"
#include "ui/WrappedText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Answer
{
    QByteArray text;
    int score;
};

// One question block of a test file (Windows-1250, CR LF).
QByteArray QuestionBlock(const QByteArray& text, const QList<Answer>& answers)
{
    QByteArray block = "  [PYTANIE]\r\n"
                       "    [TRE\x8C\xC6_PYTANIA]" + text + "\r\n"
                       "    [RODZAJ_PYTANIA]Jednokrotnego wyboru\r\n"
                       "    [ROZMIAR_CZCIONKI]0\r\n"
                       "    [ILE_ODPOWIEDZI]" + QByteArray::number(answers.size()) + "\r\n";
    for (const Answer& answer : answers) {
        block += "      [ODPOWIED\x8F]\r\n"
                 "        [TRE\x8C\xC6_ODPOWIEDZI]" + answer.text + "\r\n"
                 "        [PUNKTACJA_ODPOWIEDZI]" + QByteArray::number(answer.score) + "\r\n";
    }
    return block + "    [ODPOWIEDZI_KONIEC]\r\n";
}

// A whole test file holding the given question blocks.
QByteArray TestFile(const QList<QByteArray>& questions)
{
    // The head of the default test, titled "Próba".
    QByteArray file = DefaultTestFile.left(DefaultTestFile.indexOf("[ILE_PYTA\xD1]"));
    file.replace("Tytu\xB3 testu", "Pr\xF3" "ba");
    file += "[ILE_PYTA\xD1]" + QByteArray::number(questions.size()) + "\r\n";
    for (const QByteArray& question : questions)
        file += question;
    return file + "  [PYTANIA_KONIEC]\r\n"
                  "[TEST_KONIEC]\r\n";
}

// "Q1" ... "Qn", each with A correct.
QByteArray NumberedTest(int count)
{
    QList<QByteArray> questions;
    for (int n = 1; n <= count; ++n)
        questions << QuestionBlock("Q" + QByteArray::number(n), {{"a", 1}, {"b", 0}, {"c", 0}});
    return TestFile(questions);
}

// Types text key by key; QTest::keyClicks takes Latin-1 only.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

QList<int> Scores(const TQuestion* question)
{
    QList<int> scores;
    for (const auto& answer : question->Answers)
        scores << answer->Score;
    return scores;
}

} // namespace

class tst_Questions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enterWalksQuestionAndAnswers();
    void clickedAnswerOpensTheEditorOverIt();
    void answersShowTheyAreEditable_data();
    void answersShowTheyAreEditable();
    void answersMakeRoomWhileALongAnswerIsTyped_data();
    void answersMakeRoomWhileALongAnswerIsTyped();
    void radioButtonChoosesTheCorrectAnswer();
    void userSelectionShowsTheQuestionOnce();
    void deletingSelectsTheQuestionInItsPlace_data();
    void deletingSelectsTheQuestionInItsPlace();
    void lastQuestionCannotBeDeleted();
    void addingSelectsTheNewQuestion();
    void typingUpdatesTheQuestionAndItsItem();
    void pastedLineBreaksAreKept();
    void itemHeightsFollowTheWrappedText();
    void splitterReleaseMeasuresTheListAnew();
    void buttonsStayWholeAndReachable_data();
    void buttonsStayWholeAndReachable();
    void showingAQuestionKeepsItsScores();
    void questionWithoutCorrectAnswerChecksNoRadio();
    void testWithoutQuestions();
    void questionsWithOtherAnswerCounts_data();
    void questionsWithOtherAnswerCounts();

private:
    // Opens `fileBytes` as a test and walks to the question editor.
    void openOnQuestionsPage(const QByteArray& fileBytes);
    // Steps back to the properties page, which writes the file.
    QByteArray savedFile();
    template<typename T = QWidget>
    T* child(const char* name) const;
    QuestionList* list() const { return child<QuestionList>("lstQuestions"); }
    QString itemText(int row) const { return list()->model()->index(row, 0).data().toString(); }
    QRect itemRect(int row) const { return list()->visualRect(list()->model()->index(row, 0)); }
    QPlainTextEdit* mmo1() const { return child<QPlainTextEdit>("mmo1"); }
    QPlainTextEdit* mmoOdp() const { return child<QPlainTextEdit>("mmoOdp"); }
    WrapLabel* label(char answer) const;
    QRadioButton* radio(int tag) const;
    void selectRow(int row);
    void pressEnter(QWidget* widget);

    std::unique_ptr<MainWindow> m_window;
    QString m_path;
};

void tst_Questions::init()
{
    m_window = std::make_unique<MainWindow>();
    m_path = m_window->form->TestsFolder + QStringLiteral("Próba.test");
}

void tst_Questions::cleanup()
{
    m_window.reset();
}

template<typename T>
T* tst_Questions::child(const char* name) const
{
    return m_window->child<T>(name);
}

WrapLabel* tst_Questions::label(char answer) const
{
    return child<WrapLabel>(QByteArray("jvlblOdp").append(answer).constData());
}

QRadioButton* tst_Questions::radio(int tag) const
{
    return child<QRadioButton>(QByteArray("rb").append(char('0' + tag)).constData());
}

void tst_Questions::openOnQuestionsPage(const QByteArray& fileBytes)
{
    WriteBytes(m_path, fileBytes);
    m_window->prompts.openAnswers << m_path;
    ClickChild(m_window->form.get(), "img1");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
    ClickChild(m_window->form.get(), "imgEdytujTest");
    ClickChild(m_window->form.get(), "imgNext");
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
}

QByteArray tst_Questions::savedFile()
{
    ClickChild(m_window->form.get(), "imgPrev");
    if (m_window->form->PageIndex() != TForm1::PropertiesPage)
        qFatal("stepping back did not reach the properties page");
    return ReadBytes(m_path);
}

void tst_Questions::selectRow(int row)
{
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, itemRect(row).center());
}

void tst_Questions::pressEnter(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

void tst_Questions::enterWalksQuestionAndAnswers()
{
    openOnQuestionsPage(TestFile({QuestionBlock("Stolica Polski", {{"Warszawa", 1}, {"Krak\xF3w", 0}, {"Gniezno", 0}})}));
    const TQuestion* question = m_window->form->CurrentQuestion();
    QTest::mouseClick(mmo1()->viewport(), Qt::LeftButton);
    QTRY_VERIFY(mmo1()->hasFocus());

    pressEnter(mmo1());
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Stolica Polski"));  // no line break typed
    QVERIFY(mmoOdp()->isVisible());
    QVERIFY(mmoOdp()->hasFocus());
    QCOMPARE(mmoOdp()->toPlainText(), QStringLiteral("Warszawa"));
    QCOMPARE(mmoOdp()->geometry().topLeft(), label('A')->geometry().topLeft() + QPoint(-4, -2));

    pressEnter(mmoOdp());
    QCOMPARE(mmoOdp()->toPlainText(), QStringLiteral("Kraków"));
    QCOMPARE(mmoOdp()->geometry().topLeft(), label('B')->geometry().topLeft() + QPoint(-4, -2));
    // Every key reaches the answer and its label at once.
    Type(mmoOdp(), QStringLiteral(" i Łódź"));
    QCOMPARE(question->Answers[1]->Text, std::string("Krak\xF3w i \xA3\xF3" "d\x9F"));
    QCOMPARE(label('B')->text(), QStringLiteral("Kraków i Łódź"));
    // The editor reaches at most to the panel's right border.
    QVERIFY(mmoOdp()->geometry().right() <= child("jvpnl3")->width());

    pressEnter(mmoOdp());
    QCOMPARE(mmoOdp()->toPlainText(), QStringLiteral("Gniezno"));
    QCOMPARE(mmoOdp()->geometry().topLeft(), label('C')->geometry().topLeft() + QPoint(-4, -2));

    pressEnter(mmoOdp());
    QVERIFY(!mmoOdp()->isVisible());
    QVERIFY(mmo1()->hasFocus());
    QCOMPARE(question->Answers[0]->Text, std::string("Warszawa"));
    QCOMPARE(question->Answers[2]->Text, std::string("Gniezno"));
    QCOMPARE(question->Text, std::string("Stolica Polski"));

    // A click in the question text closes an open editor.
    QTest::mouseClick(label('C'), Qt::LeftButton);
    QVERIFY(mmoOdp()->isVisible());
    QTest::mouseClick(mmo1()->viewport(), Qt::LeftButton);
    QVERIFY(!mmoOdp()->isVisible());
}

void tst_Questions::clickedAnswerOpensTheEditorOverIt()
{
    openOnQuestionsPage(TestFile({QuestionBlock("Q", {{"pierwsza", 1}, {"druga", 0}, {"trzecia", 0}})}));
    WrapLabel* b = label('B');
    const QRect over(b->x() - 4, b->y() - 2, b->width() + 30, b->height() + 30);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(mmoOdp()->isVisible());
    QCOMPARE(mmoOdp()->geometry(), over);
    QCOMPARE(mmoOdp()->toPlainText(), QStringLiteral("druga"));

    QTest::keyClicks(mmoOdp(), QStringLiteral("!"));
    QCOMPARE(m_window->form->CurrentQuestion()->Answers[1]->Text, std::string("druga!"));
    // Loading the editor wrote nothing into the other answers.
    QCOMPARE(m_window->form->CurrentQuestion()->Answers[0]->Text, std::string("pierwsza"));
    QCOMPARE(m_window->form->CurrentQuestion()->Answers[2]->Text, std::string("trzecia"));

    QVERIFY(savedFile().contains("[TRE\x8C\xC6_ODPOWIEDZI]druga!\r\n"));
}

void tst_Questions::answersShowTheyAreEditable_data()
{
    QTest::addColumn<char>("answer");

    QTest::newRow("A") << 'A';
    QTest::newRow("B") << 'B';
    QTest::newRow("C") << 'C';
}

void tst_Questions::answersShowTheyAreEditable()
{
    QFETCH(char, answer);

    openOnQuestionsPage(TestFile({QuestionBlock("Q", {{"pierwsza", 1}, {"druga", 0}, {"trzecia", 0}})}));
    WrapLabel* shown = label(answer);
    QCOMPARE(shown->toolTip(), QStringLiteral("Kliknij, aby edytować odpowiedź"));

    // The left edge, clear of the text, is framed only under the pointer.
    const QColor frame(0x7f, 0x9d, 0xb9);
    const auto edge = [shown] { return shown->grab().toImage().pixelColor(0, shown->height() / 2); };
    QVERIFY(edge() != frame);
    QTest::mouseMove(shown, QPoint(shown->width() / 2, shown->height() / 2));
    QTRY_VERIFY(shown->underMouse());
    QCOMPARE(edge(), frame);
    QTest::mouseMove(mmo1()->viewport(), QPoint(5, 5));
    QTRY_VERIFY(!shown->underMouse());
    QVERIFY(edge() != frame);

    // The hint stands while the editor is open, from any answer to the last.
    QLabel* hint = child<QLabel>("lblAnswerEditorHint");
    QCOMPARE(hint->text(), QStringLiteral("Enter – następna odpowiedź"));
    QVERIFY(!hint->isVisible());
    QTest::mouseClick(shown, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(mmoOdp()->isVisible());
    QVERIFY(hint->isVisible());
    // Whole, and clear of the answers and their editor.
    QVERIFY(hint->parentWidget()->rect().contains(hint->geometry()));
    QCOMPARE(hint->width(), hint->sizeHint().width());
    QVERIFY(!hint->geometry().intersects(child("jvpnl3")->geometry()));
    QVERIFY(!hint->geometry().intersects(child("jvlbl8")->geometry()));
    for (char next = answer; next < 'C'; ++next) {
        pressEnter(mmoOdp());
        QVERIFY(mmoOdp()->isVisible());
        QVERIFY(hint->isVisible());
    }
    pressEnter(mmoOdp());
    QVERIFY(!mmoOdp()->isVisible());
    QVERIFY(!hint->isVisible());

    // Closed by a click in the question text, the editor takes the hint along.
    QTest::mouseClick(shown, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(hint->isVisible());
    QTest::mouseClick(mmo1()->viewport(), Qt::LeftButton);
    QVERIFY(!hint->isVisible());
}

void tst_Questions::answersMakeRoomWhileALongAnswerIsTyped_data()
{
    QTest::addColumn<char>("edited");
    QTest::addColumn<QSize>("windowSize");  // empty: as the window opens

    QTest::newRow("A") << 'A' << QSize();
    QTest::newRow("B") << 'B' << QSize();
    QTest::newRow("C, the last") << 'C' << QSize();
    // Wider than the design, the answer is typed narrower than it is shown.
    QTest::newRow("B, wide window") << 'B' << QSize(1280, 800);
}

void tst_Questions::answersMakeRoomWhileALongAnswerIsTyped()
{
    QFETCH(char, edited);
    QFETCH(QSize, windowSize);

    openOnQuestionsPage(TestFile({QuestionBlock("Q", {{"pierwsza", 1}, {"druga", 0}, {"trzecia", 0}})}));
    if (windowSize.isValid()) {
        m_window->form->resize(windowSize);
        QTRY_COMPARE(m_window->form->size(), windowSize);
    }
    const QList<int> shortTops = {label('A')->y(), label('B')->y(), label('C')->y()};
    const int oneLine = label(edited)->height();
    QTest::mouseClick(label(edited), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(mmoOdp()->isVisible());

    // Checked after every word, not only once the answer is finished.
    const auto checkLayout = [&](const QByteArray& when) {
        const QRect shown = label(edited)->geometry();
        QVERIFY2(mmoOdp()->geometry() == shown.adjusted(-4, -2, 26, 28), when.constData());
        QVERIFY2(mmoOdp()->geometry().right() <= child("jvpnl3")->width(), when.constData());
        for (char below = edited + 1; below <= 'C'; ++below) {
            const QRect above = label(char(below - 1))->geometry();
            QVERIFY2(label(below)->y() == above.bottom() + 1 + 30, when.constData());
            QVERIFY2(radio(below - 'A' + 1)->y() == label(below)->y(), when.constData());
            QVERIFY2(mmoOdp()->geometry().bottom() < label(below)->y(), when.constData());
        }
    };
    mmoOdp()->moveCursor(QTextCursor::End);
    for (int word = 0; word < 30; ++word) {
        Type(mmoOdp(), QStringLiteral(" odpowiedź"));
        checkLayout("typing word " + QByteArray::number(word));
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(label(edited)->height() >= 3 * oneLine);  // it did wrap

    // Closed, the answer shows every line at the width it is shown at.
    const QString typed = label(edited)->text();
    QTest::mouseClick(mmo1()->viewport(), Qt::LeftButton);
    QVERIFY(!mmoOdp()->isVisible());
    QCOMPARE(label(edited)->height(),
             WrappedText(typed, label(edited)->font(), label(edited)->width() - 2).size().height());
    QCOMPARE(label(edited)->width(), child("jvpnl2")->width() - 75);
    QTest::mouseClick(label(edited), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(mmoOdp()->isVisible());

    // Taking the text back moves the answers below back up.
    mmoOdp()->selectAll();
    Type(mmoOdp(), QStringLiteral("x"));
    checkLayout("after shortening");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(label(edited)->height(), oneLine);
    QCOMPARE((QList<int>{label('A')->y(), label('B')->y(), label('C')->y()}), shortTops);
}

void tst_Questions::radioButtonChoosesTheCorrectAnswer()
{
    openOnQuestionsPage(TestFile({QuestionBlock("Q1", {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock("Q2", {{"a", 0}, {"b", 0}, {"c", 3}})}));
    QTest::mouseClick(radio(3), Qt::LeftButton);
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 0, 1}));
    QVERIFY(radio(3)->isChecked());
    QVERIFY(!radio(1)->isChecked());

    // A click on the button already checked changes nothing.
    selectRow(1);
    QVERIFY(radio(3)->isChecked());
    QTest::mouseClick(radio(3), Qt::LeftButton);
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 0, 3}));
    QTest::keyClick(radio(3), Qt::Key_Space);
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 0, 3}));
    QTest::keyClick(radio(3), Qt::Key_Up);  // the keyboard moves the choice to B
    QVERIFY(radio(2)->isChecked());
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 1, 0}));
}

void tst_Questions::userSelectionShowsTheQuestionOnce()
{
    // Showing a question loads its text into the memo once; a second run
    // would load it again.
    WriteBytes(m_path, NumberedTest(4));
    m_window->prompts.openAnswers << m_path;
    ClickChild(m_window->form.get(), "img1");
    ClickChild(m_window->form.get(), "imgEdytujTest");
    QSignalSpy loads(mmo1(), &QPlainTextEdit::textChanged);
    ClickChild(m_window->form.get(), "imgNext");
    QCOMPARE(loads.count(), 1);
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Q1"));

    loads.clear();
    selectRow(2);
    QCOMPARE(loads.count(), 1);
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Q3"));
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie 3/4"));

    loads.clear();
    QTest::keyClick(list(), Qt::Key_Down);
    QCOMPARE(loads.count(), 1);
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Q4"));
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie 4/4"));

    // A click on the question already shown closes the answer editor.
    QTest::mouseClick(label('A'), Qt::LeftButton);
    QVERIFY(mmoOdp()->isVisible());
    selectRow(3);
    QVERIFY(!mmoOdp()->isVisible());
}

void tst_Questions::deletingSelectsTheQuestionInItsPlace_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("shownAfter");

    QTest::newRow("last of five") << 4 << 3 << QStringLiteral("Q4");
    QTest::newRow("third of five") << 2 << 2 << QStringLiteral("Q4");
    QTest::newRow("first of five") << 0 << 0 << QStringLiteral("Q2");
}

void tst_Questions::deletingSelectsTheQuestionInItsPlace()
{
    QFETCH(int, deleted);
    QFETCH(int, selectedAfter);
    QFETCH(QString, shownAfter);

    openOnQuestionsPage(NumberedTest(5));
    selectRow(deleted);
    QTest::mouseClick(label('B'), Qt::LeftButton);
    ClickChild(m_window->form.get(), "imgDeleteQuestion");

    QVERIFY(!mmoOdp()->isVisible());
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 4);
    QCOMPARE(list()->count(), 4);
    QCOMPARE(list()->currentRow(), selectedAfter);
    QCOMPARE(mmo1()->toPlainText(), shownAfter);
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie %1/4").arg(selectedAfter + 1));
    QCOMPARE(child<QLabel>("lbl4")->text(), QStringLiteral("4"));
    // Every item still shows and refers to the question in its place.
    for (int row = 0; row < 4; ++row) {
        const TQuestion* question = m_window->form->CurrentTest->GetQuestion(row);
        QCOMPARE(itemText(row), QString::fromLatin1(question->Text.c_str()) + QLatin1Char('\n'));
        QCOMPARE(list()->model()->index(row, 0).data(QuestionListModel::QuestionRole).value<TQuestion*>(),
                 question);
    }
    // The next edit lands in the question shown, after its text.
    QTest::keyClicks(mmo1(), QStringLiteral("x"));
    QCOMPARE(m_window->form->CurrentTest->GetQuestion(selectedAfter)->Text, (shownAfter + QLatin1Char('x')).toStdString());
}

void tst_Questions::lastQuestionCannotBeDeleted()
{
    openOnQuestionsPage(NumberedTest(1));
    ClickChild(m_window->form.get(), "imgDeleteQuestion");
    QCOMPARE(m_window->prompts.messages,
             QStringList{QStringLiteral("Test zawiera tylko jedno pytanie. Nie można go usunąć.")});
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
    QCOMPARE(list()->count(), 1);
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Q1"));
    QVERIFY(savedFile().contains("[ILE_PYTA\xD1]1\r\n  [PYTANIE]\r\n    [TRE\x8C\xC6_PYTANIA]Q1\r\n"));
}

void tst_Questions::addingSelectsTheNewQuestion()
{
    openOnQuestionsPage(NumberedTest(2));
    ClickChild(m_window->form.get(), "imgAddQuestion");

    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 3);
    QCOMPARE(list()->count(), 3);
    QCOMPARE(list()->currentRow(), 2);
    QCOMPARE(itemText(2), QStringLiteral("Pytanie nr 3\n"));
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Pytanie nr 3"));
    QCOMPARE(label('A')->text(), QStringLiteral("Odpowiedź A"));
    QCOMPARE(label('B')->text(), QStringLiteral("Odpowiedź B"));
    QCOMPARE(label('C')->text(), QStringLiteral("Odpowiedź C"));
    QVERIFY(radio(1)->isChecked());
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie 3/3"));
    QCOMPARE(child<QLabel>("lbl4")->text(), QStringLiteral("3"));
    QCOMPARE(m_window->form->CurrentQuestion(), m_window->form->CurrentTest->GetQuestion(2));
}

void tst_Questions::typingUpdatesTheQuestionAndItsItem()
{
    openOnQuestionsPage(NumberedTest(3));
    selectRow(1);
    QTest::mouseClick(mmo1()->viewport(), Qt::LeftButton);
    mmo1()->moveCursor(QTextCursor::End);
    const QString typed = QStringLiteral(" – żółw?");
    QString expected = QStringLiteral("Q2");
    for (const QChar key : typed) {
        Type(mmo1(), QString(key));
        expected += key;
        QCOMPARE(itemText(1), expected + QLatin1Char('\n'));
    }
    QCOMPARE(m_window->form->CurrentTest->GetQuestion(1)->Text, std::string("Q2 \x96 \xBF\xF3\xB3w?"));
    QCOMPARE(itemText(0), QStringLiteral("Q1\n"));
    QVERIFY(savedFile().contains("[TRE\x8C\xC6_PYTANIA]Q2 \x96 \xBF\xF3\xB3w?\r\n"));
}

void tst_Questions::pastedLineBreaksAreKept()
{
    openOnQuestionsPage(NumberedTest(1));
    mmo1()->moveCursor(QTextCursor::End);
    mmo1()->insertPlainText(QStringLiteral(" wiersz 1\nwiersz 2"));
    const TQuestion* question = m_window->form->CurrentQuestion();
    QCOMPARE(question->Text, std::string("Q1 wiersz 1\r\nwiersz 2"));
    QCOMPARE(itemText(0), QStringLiteral("Q1 wiersz 1\nwiersz 2\n"));

    QTest::mouseClick(label('A'), Qt::LeftButton);
    mmoOdp()->insertPlainText(QStringLiteral("\nb"));
    QCOMPARE(question->Answers[0]->Text, std::string("a\r\nb"));
    QCOMPARE(label('A')->text(), QStringLiteral("a\nb"));

    // The file holds each text on one line.
    const QByteArray saved = savedFile();
    QVERIFY(saved.contains("[TRE\x8C\xC6_PYTANIA]Q1 wiersz 1 wiersz 2\r\n"));
    QVERIFY(saved.contains("[TRE\x8C\xC6_ODPOWIEDZI]a b\r\n"));
}

void tst_Questions::itemHeightsFollowTheWrappedText()
{
    const QByteArray twoLines = "Ile par chromosom\xF3w ma prawid\xB3owa kom\xF3rka somatyczna cz\xB3owieka?";
    const QByteArray huge = QByteArray("Bardzo d\xB3ugie pytanie. ").repeated(60);
    openOnQuestionsPage(TestFile({QuestionBlock("Kr\xF3tkie", {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock(twoLines, {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock(huge, {{"a", 1}, {"b", 0}, {"c", 0}})}));
    QuestionList* questions = list();
    const int wrapWidth = questions->viewport()->width() - 2;
    QCOMPARE(questions->wrapWidth(), wrapWidth);
    const QFontMetrics metrics(questions->font());
    const auto wrappedHeight = [&](const QString& text) {
        return metrics.boundingRect(QRect(0, 0, wrapWidth, 100000), Qt::TextWordWrap, text).height();
    };
    const auto itemHeight = [&](int row) { return itemRect(row).height(); };

    // One line is less than the least height; the trailing break adds no line.
    QCOMPARE(itemHeight(0), 20);
    QVERIFY(wrappedHeight(QStringLiteral("Krótkie")) < 20);
    const QString second = itemText(1);
    QVERIFY(wrappedHeight(second) > metrics.height());  // it does wrap
    QCOMPARE(itemHeight(1), wrappedHeight(second.chopped(1)));
    // A text taller than 255 pixels is cut off there.
    QVERIFY(wrappedHeight(itemText(2)) > 255);
    QCOMPARE(itemHeight(2), 255);
    // Each item starts where the one above it ends.
    QCOMPARE(itemRect(1).top(),
             itemRect(0).bottom() + 1);
}

void tst_Questions::splitterReleaseMeasuresTheListAnew()
{
    const QByteArray wraps = "Ile par chromosom\xF3w ma prawid\xB3owa kom\xF3rka somatyczna cz\xB3owieka?";
    openOnQuestionsPage(TestFile({QuestionBlock("Q1", {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock(wraps, {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock("Q3", {{"a", 1}, {"b", 0}, {"c", 0}})}));
    // Wide enough that the editor beside the list has room to give.
    m_window->form->resize(1280, 800);
    QTRY_COMPARE(m_window->form->size(), QSize(1280, 800));
    selectRow(1);
    QTest::mouseClick(label('B'), Qt::LeftButton);
    QuestionList* questions = list();
    const auto itemHeight = [&] { return itemRect(1).height(); };
    const int narrowHeight = itemHeight();
    const int narrowWidth = questions->width();

    auto* splitter = child<QSplitter>("spl1");
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint start = handle->rect().center();
    const auto send = [&](QEvent::Type type, const QPoint& local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, handle->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(150, 0), Qt::LeftButton);
    QVERIFY(questions->width() >= narrowWidth + 140);
    // Dragging resizes the list live, but its items keep their heights.
    QCoreApplication::processEvents();
    QCOMPARE(itemHeight(), narrowHeight);

    send(QEvent::MouseButtonRelease, start + QPoint(150, 0), Qt::NoButton);
    QTRY_VERIFY(itemHeight() < narrowHeight);
    const QFontMetrics metrics(questions->font());
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, questions->viewport()->width() - 2, 100000),
                                               Qt::TextWordWrap, itemText(1).chopped(1));
    QCOMPARE(itemHeight(), qMax(20, wrapped.height()));
    // The selection stays and the question was not shown anew: the answer
    // editor is still open.
    QCOMPARE(questions->currentRow(), 1);
    QCOMPARE(m_window->form->CurrentQuestion(), m_window->form->CurrentTest->GetQuestion(1));
    QVERIFY(mmoOdp()->isVisible());
    // The editor keeps room for two of its buttons side by side.
    send(QEvent::MouseButtonPress, handle->rect().center(), Qt::LeftButton);
    send(QEvent::MouseMove, handle->rect().center() + QPoint(2000, 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, handle->rect().center(), Qt::NoButton);
    QCOMPARE(splitter->widget(1)->width(), 9 + 183 + 9 + 183 + 9);
}

void tst_Questions::buttonsStayWholeAndReachable_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<int>("drag");  // how far the splitter is dragged right
    QTest::addColumn<bool>("oneRow");

    QTest::newRow("design size") << QSize(908, 616) << 0 << true;
    QTest::newRow("design size, splitter right") << QSize(908, 616) << 2000 << false;
    QTest::newRow("800x600") << QSize(800, 600) << 0 << false;
    QTest::newRow("800x600, splitter right") << QSize(800, 600) << 2000 << false;
    QTest::newRow("800x600, splitter left") << QSize(800, 600) << -2000 << false;
    QTest::newRow("1280x800") << QSize(1280, 800) << 0 << true;
    QTest::newRow("1280x800, splitter right") << QSize(1280, 800) << 2000 << false;
    QTest::newRow("1280x800, splitter a little right") << QSize(1280, 800) << 300 << true;
}

void tst_Questions::buttonsStayWholeAndReachable()
{
    QFETCH(QSize, windowSize);
    QFETCH(int, drag);
    QFETCH(bool, oneRow);

    openOnQuestionsPage(NumberedTest(2));
    TForm1* form = m_window->form.get();
    form->resize(windowSize);
    QTRY_COMPARE(form->size(), windowSize);
    if (drag != 0) {
        QSplitterHandle* handle = child<QSplitter>("spl1")->handle(1);
        const QPoint start = handle->rect().center();
        const auto send = [&](QEvent::Type type, const QPoint& local, Qt::MouseButtons buttons) {
            QMouseEvent event(type, local, handle->mapToGlobal(local),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(handle, &event);
        };
        send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(QEvent::MouseMove, start + QPoint(drag, 0), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, start + QPoint(drag, 0), Qt::NoButton);
    }

    QWidget* panel = child("jvpnl2");
    // The panel itself is whole on the page.
    QVERIFY(child("spl1")->rect().contains(panel->geometry()));
    QVERIFY(child("ts3")->rect().contains(child("spl1")->geometry()));
    const QList<QWidget*> buttons = {child("imgAddQuestion"), child("imgDeleteQuestion"),
                                     child("imgImportQuestion")};
    for (QWidget* button : buttons) {
        const QByteArray name = button->objectName().toLatin1();
        QVERIFY2(button->isVisible(), name.constData());
        QVERIFY2(button->size() == QSize(183, 32), name.constData());
        QVERIFY2(panel->rect().contains(button->geometry()), name.constData());
        QVERIFY2(!button->geometry().intersects(child("jvpnl3")->geometry()), name.constData());
        for (QWidget* other : buttons)
            QVERIFY2(other == button || !button->geometry().intersects(other->geometry()), name.constData());
        // Nothing covers it: a click on its middle lands on it.
        const QPoint middle = button->mapTo(form, button->rect().center());
        QWidget* hit = form->childAt(middle);
        QVERIFY2(hit == button || button->isAncestorOf(hit), name.constData());
    }
    QCOMPARE(buttons[2]->y() == buttons[0]->y(), oneRow);
    // The answers keep their room above the buttons, and show the answers.
    QVERIFY(child("jvpnl3")->height() > 200);
    QVERIFY(child("jvpnl3")->rect().contains(label('C')->geometry()));
}

void tst_Questions::showingAQuestionKeepsItsScores()
{
    openOnQuestionsPage(TestFile({QuestionBlock("Q1", {{"a", 1}, {"b", 0}, {"c", 0}}),
                                  QuestionBlock("Q2", {{"a", 0}, {"b", 2}, {"c", 0}})}));
    QVERIFY(radio(1)->isChecked());
    selectRow(1);
    QVERIFY(radio(2)->isChecked());
    QVERIFY(!radio(1)->isChecked());
    QCOMPARE(Scores(m_window->form->CurrentTest->GetQuestion(1)), QList<int>({0, 2, 0}));
    selectRow(0);
    QCOMPARE(Scores(m_window->form->CurrentTest->GetQuestion(0)), QList<int>({1, 0, 0}));
    QVERIFY(savedFile().contains("[TRE\x8C\xC6_ODPOWIEDZI]b\r\n        [PUNKTACJA_ODPOWIEDZI]2\r\n"));
}

void tst_Questions::questionWithoutCorrectAnswerChecksNoRadio()
{
    openOnQuestionsPage(TestFile({QuestionBlock("Q1", {{"a", 0}, {"b", 0}, {"c", 1}}),
                                  QuestionBlock("Q2", {{"a", 0}, {"b", 0}, {"c", 0}})}));
    QVERIFY(radio(3)->isChecked());
    selectRow(1);
    for (int tag = 1; tag <= 3; ++tag)
        QVERIFY2(!radio(tag)->isChecked(), qPrintable(QString::number(tag)));
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 0, 0}));
    // The choice is then the user's, as on any question.
    QTest::mouseClick(radio(2), Qt::LeftButton);
    QCOMPARE(Scores(m_window->form->CurrentQuestion()), QList<int>({0, 1, 0}));
}

void tst_Questions::testWithoutQuestions()
{
    openOnQuestionsPage(TestFile({}));
    QCOMPARE(list()->count(), 0);
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie"));
    QVERIFY(mmo1()->toPlainText().isEmpty());
    QVERIFY(!mmo1()->isEnabled());
    QVERIFY(!child("jvpnl3")->isEnabled());
    for (int tag = 1; tag <= 3; ++tag)
        QVERIFY(!radio(tag)->isChecked());

    ClickChild(m_window->form.get(), "imgDeleteQuestion");  // nothing to delete
    QCOMPARE(m_window->prompts.messages.size(), 1);
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 0);

    ClickChild(m_window->form.get(), "imgAddQuestion");
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
    QVERIFY(mmo1()->isEnabled());
    QVERIFY(child("jvpnl3")->isEnabled());
    QCOMPARE(mmo1()->toPlainText(), QStringLiteral("Pytanie nr 1"));
    QCOMPARE(child<QLabel>("jvlbl5")->text(), QStringLiteral("Pytanie 1/1"));
    QVERIFY(radio(1)->isChecked());
}

void tst_Questions::questionsWithOtherAnswerCounts_data()
{
    QTest::addColumn<QByteArray>("question");
    QTest::addColumn<QString>("action");  // "", "mark A", "mark C" or "edit C"
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("checkedAfter");  // tag, 0 for none
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<QByteArray>("savedAnswers");

    const QByteArray two = QuestionBlock("Q", {{"a", 1}, {"b", 0}});
    const QByteArray four = QuestionBlock("Q", {{"a", 0}, {"b", 0}, {"c", 0}, {"d", 1}});
    const auto answer = [](const QByteArray& text, int score) {
        return "      [ODPOWIED\x8F]\r\n        [TRE\x8C\xC6_ODPOWIEDZI]" + text
               + "\r\n        [PUNKTACJA_ODPOWIEDZI]" + QByteArray::number(score) + "\r\n";
    };
    const QStringList twoLabels = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Odpowiedź C")};
    const QStringList fourLabels = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

    QTest::newRow("two, shown") << two << QString() << twoLabels << 1 << QList<int>{1, 0}
                                << "[ILE_ODPOWIEDZI]2\r\n" + answer("a", 1) + answer("b", 0) + "    [ODPOWIEDZI_KONIEC]";
    QTest::newRow("two, C marked") << two << QStringLiteral("mark C") << twoLabels << 3 << QList<int>{0, 0, 1}
                                   << "[ILE_ODPOWIEDZI]3\r\n" + answer("a", 0) + answer("b", 0) + answer("", 1)
                                          + "    [ODPOWIEDZI_KONIEC]";
    QTest::newRow("two, C edited") << two << QStringLiteral("edit C")
                                   << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Odpowiedź C!")}
                                   << 1 << QList<int>{1, 0, 0}
                                   << "[ILE_ODPOWIEDZI]3\r\n" + answer("a", 1) + answer("b", 0)
                                          + answer("Odpowied\x9F C!", 0) + "    [ODPOWIEDZI_KONIEC]";
    QTest::newRow("four, shown") << four << QString() << fourLabels << 0 << QList<int>{0, 0, 0, 1}
                                 << "[ILE_ODPOWIEDZI]4\r\n" + answer("a", 0) + answer("b", 0) + answer("c", 0)
                                        + answer("d", 1) + "    [ODPOWIEDZI_KONIEC]";
    QTest::newRow("four, A marked") << four << QStringLiteral("mark A") << fourLabels << 1 << QList<int>{1, 0, 0, 0}
                                    << "[ILE_ODPOWIEDZI]4\r\n" + answer("a", 1) + answer("b", 0) + answer("c", 0)
                                           + answer("d", 0) + "    [ODPOWIEDZI_KONIEC]";
}

void tst_Questions::questionsWithOtherAnswerCounts()
{
    QFETCH(QByteArray, question);
    QFETCH(QString, action);
    QFETCH(QStringList, labels);
    QFETCH(int, checkedAfter);
    QFETCH(QList<int>, scores);
    QFETCH(QByteArray, savedAnswers);

    openOnQuestionsPage(TestFile({question}));
    if (action == QLatin1String("mark A"))
        QTest::mouseClick(radio(1), Qt::LeftButton);
    else if (action == QLatin1String("mark C"))
        QTest::mouseClick(radio(3), Qt::LeftButton);
    else if (action == QLatin1String("edit C")) {
        QTest::mouseClick(label('C'), Qt::LeftButton);
        QTest::keyClicks(mmoOdp(), QStringLiteral("!"));
    }

    QCOMPARE((QStringList{label('A')->text(), label('B')->text(), label('C')->text()}), labels);
    for (int tag = 1; tag <= 3; ++tag)
        QCOMPARE(radio(tag)->isChecked(), tag == checkedAfter);
    const TQuestion* shown = m_window->form->CurrentQuestion();
    QCOMPARE(Scores(shown), scores);
    QCOMPARE(shown->AnswerCount, int(scores.size()));
    QVERIFY2(savedFile().contains(savedAnswers), savedAnswers.constData());
}

QTEST_MAIN(tst_Questions)
#include "tst_questions.moc"
