// The main window: five pages without tabs, the bottom strip of picture
// buttons, and the program state shared by every page. The handlers of each
// page live in a source file of their own under app/pages/.
#pragma once

#include "app/TestFiles.h"
#include "model/Baza.h"

#include <QMainWindow>

#include <memory>

class AnchorLayout;
class PictureButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextBrowser;
class QuestionList;
class QuestionListModel;
class ImportListModel;
class QRadioButton;
class QScreen;
class QSplitter;
class QStackedWidget;
class TForm2;
class TForm4;
class WrapLabel;

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    enum Page { StartPage = 0, SummaryPage = 1, PropertiesPage = 2, QuestionsPage = 3, ImportPage = 4 };

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Program state, one for the whole run.
    std::unique_ptr<TTest> CurrentTest;
    QString CurrentTestPath;  // full path of the current test's file; empty: nothing is saved
    QString TestsFolder;      // where tests are kept (see ChooseTestsFolder), with a separator at its end
    std::unique_ptr<TTest> ImportSource;
    TestFileRecord CurrentTestFile;  // what was last read from or written to CurrentTestPath

    // The dialogs are made when first needed, not at start.
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;

    int PageIndex() const;

    // Shell and navigation (TForm1.cpp).
    void cmdNextPage();
    void cmdPrevPage();
    // Writes the current test when its file would then read differently,
    // asking first when the file changed on disk meanwhile or was not read
    // whole; "Nie" leaves the file as it is.
    void SaveCurrentTest();
    void cmdSaveTest();  // Ctrl+S
    void CloseTest();
    void CenterStartPage();
    void imgNextClick();
    void imgPrevClick();
    void imgExitClick();

    // Start page (pages/StartPage.cpp).
    void cmdOpenTest();
    void cmdNewTest();
    void imgOpenFolderClick();

    // Summary page and answer key (pages/SummaryPage.cpp).
    void ts5Show();
    void FillAnswerKey();
    void SaveAnswerKey();
    void ShowQuestionCount();
    void SetTitleLabel();
    void img4Click();
    void imgEdytujTestClick();
    void imgUruchomTestClick();
    void imgDrukujTestClick();
    void imgEksportujClick();
    void imgKluczDrukujClick();

    // Properties page (pages/PropertiesPage.cpp).
    void ShowTitleAndDescription();
    // Puts a threshold into the control as the program does; with
    // `writeRanges` false the test's ranges stay as they are.
    void ShowThreshold(int percent, bool writeRanges);
    void edtTestTitleChange();
    void mmoTestDescriptionChange();
    void se1Change(int value);

    // Question editor (pages/QuestionsPage.cpp).
    // Shows the current test's questions (none without a test).
    void FillQuestionList();
    TQuestion* CurrentQuestion() const;
    void lstQuestionsClick();
    void LayoutAnswers();
    void HideAnswerEditor();
    void AppendQuestion();
    void RemoveQuestion();
    void imgAddQuestionClick();
    void imgDeleteQuestionClick();
    void mmo1Change();
    void mmo1Click();
    void mmo1KeyPress();    // Enter in the question text
    void lblOdpClick(WrapLabel* label);
    void mmoOdpChange();
    void mmoOdpKeyPress();  // Enter in the answer editor
    void rb1Click(int tag);  // the user checked the radio button with this tag
    void jvpnl3Resize();
    void spl1Moved();
    WrapLabel* AnswerLabel(int n) const;

    // Import page (pages/ImportPage.cpp).
    void imgImportQuestionClick();
    void ChooseImportSource();
    void imgWylosujClick();
    void imgAnulujClick();
    void imgImportujClick();
    // Releases the source test and goes back to the question editor.
    void LeaveImportPage();
    void ShowTickedCount();
    void ShowImportPreview();

protected:
    void resizeEvent(QResizeEvent* event) override;  // FormResize
    void showEvent(QShowEvent* event) override;      // FormShow
    void closeEvent(QCloseEvent* event) override;    // FormClose

private:
    // Connects a click to a handler that runs under the top-level error handler.
    void OnClick(PictureButton* button, void (TForm1::*handler)());
    void ShowPage(int index);
    // Keeps the minimum size, and the size, within what `screen` shows.
    void FitToScreen(QScreen* screen);
    // Writes the test before it is closed; when that fails, asks whether to
    // close without saving. True when the test may be closed.
    bool SaveOrDiscard();
    void ReportReadingError(const std::string& message);
    // Writes the current test when its file does not hold it already.
    void SaveTest(bool noteWhenUnchanged);
    // The note in the bottom strip after a write of the file at `path`.
    void NoteWritten(const QString& path);
    void NoteWriteFailed(const QString& path);

    void BuildStartPage();
    // Builds the pages of an open test, once.
    void BuildTestPages();
    void OrderBottomStrip();
    void BuildSummaryPage();
    void BuildPropertiesPage();
    void BuildQuestionsPage();
    void BuildImportPage();

    bool TestPagesBuilt = false;
    QStackedWidget* pcPages = nullptr;
    QWidget* ts1 = nullptr;  // start
    QWidget* ts5 = nullptr;  // summary
    QWidget* ts2 = nullptr;  // properties
    QWidget* ts3 = nullptr;  // questions
    QWidget* ts4 = nullptr;  // import
    PictureButton* imgPrev = nullptr;
    PictureButton* imgNext = nullptr;
    PictureButton* imgExit = nullptr;
    class FadingNote* lblSaveNote = nullptr;

    // Start page.
    QLabel* lblHeading = nullptr;
    PictureButton* img1 = nullptr;
    PictureButton* img2 = nullptr;
    PictureButton* imgOpenFolder = nullptr;
    QString LastOpenedFileName;  // the open dialog proposes the last chosen name
    // Asks for a test file to read; empty when cancelled.
    QString AskTestFileName();
    // Asks for an import source; empty when cancelled. The filter chosen
    // goes to `filter`.
    QString AskImportFileName(QString& filter);
    // Reads an import source in its format; nullptr, after telling the
    // user, when it holds no question to import.
    std::unique_ptr<TTest> ReadImportSource(const QString& path, const QString& filter);

    // Summary page.
    QFrame* jvpnl6 = nullptr;
    QFrame* jvpnl5 = nullptr;
    QLabel* lbl2 = nullptr;  // title
    QLabel* lbl4 = nullptr;  // question count
    class StringGrid* sgKlucz = nullptr;  // answer key

    // Properties page.
    QLineEdit* edtTestTitle = nullptr;
    QPlainTextEdit* mmoTestDescription = nullptr;
    class LooseSpinBox* se1 = nullptr;  // pass threshold in percent
    QLabel* jvlbl7 = nullptr;

    // Question editor.
    // Puts each answer under the one above it, at the heights they have.
    void StackAnswers();
    void PlaceAnswerEditor(const WrapLabel* label);
    // Puts the buttons under the answers in one row or, in a narrow panel, two.
    void ArrangeQuestionButtons();
    // Lays the answers out at the panel's width, each measured at it.
    void MeasureAnswers();
    QuestionListModel* questionModel = nullptr;
    QuestionList* lstQuestions = nullptr;
    class Splitter* spl1 = nullptr;
    class Panel* jvpnl1 = nullptr;
    Panel* jvpnl2 = nullptr;
    Panel* jvpnl3 = nullptr;  // the answers
    QLabel* jvlbl5 = nullptr;
    class ReturnKeyMemo* mmo1 = nullptr;
    ReturnKeyMemo* mmoOdp = nullptr;
    QLabel* lblAnswerEditorHint = nullptr;
    int mmoOdpTag = 0;  // the answer (1 to 3) being edited; 0 while the editor is loaded
    WrapLabel* jvlblOdpA = nullptr;
    WrapLabel* jvlblOdpB = nullptr;
    WrapLabel* jvlblOdpC = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;
    class QButtonGroup* rbCorrect = nullptr;
    bool rbWasChecked = false;  // the radio button under the pointer was checked before the click
    PictureButton* imgAddQuestion = nullptr;
    PictureButton* imgDeleteQuestion = nullptr;
    PictureButton* imgImportQuestion = nullptr;

    // Import page.
    ImportListModel* importModel = nullptr;
    QuestionList* lstImport = nullptr;
    QLabel* lblTicked = nullptr;              // "Zaznaczono K z N"
    QTextBrowser* txtImportPreview = nullptr;  // the highlighted source question in full
    class ElidedLabel* jvlblImpTestTitle = nullptr;
};
