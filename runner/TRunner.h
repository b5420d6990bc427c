// The test runner's window: a start screen asking who takes the test, one
// screen per question, and the result with a review of every answer. The
// finished attempt is appended to the teacher's results file beside the test.
#pragma once

#include "model/Baza.h"
#include "model/Scoring.h"

#include <QWidget>

#include <memory>
#include <vector>

class PictureButton;
class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QVBoxLayout;

class TRunner : public QWidget
{
    Q_OBJECT

public:
    enum Screen { StartScreen, QuestionScreen, ResultScreen };

    explicit TRunner(QWidget* parent = nullptr);
    ~TRunner() override;

    // Reads the test at `path` and shows its start screen. A test that
    // cannot be taken is refused with the reason shown; false then.
    bool OpenTest(const QString& path);

    int ScreenIndex() const;
    // The question shown, 0-based.
    int CurrentQuestion() const { return m_current; }
    const TChoices& Choices() const { return m_choices; }
    // Where the results go: "<test> – wyniki.csv" beside the test.
    QString ResultsPath() const { return m_resultsPath; }
    // Whether the finished attempt has been stored in a results file.
    bool ResultsSaved() const { return m_resultsSaved; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildStartScreen();
    void BuildQuestionScreen();
    void BuildResultScreen();
    void BuildKeys();

    void imgStartClick();
    void imgPreviousClick();
    void imgNextClick();
    void imgFinishTestClick();
    void imgCloseClick();
    void imgSaveAsClick();

    void ShowQuestion(int index);
    void ShowAnswers(const TAskedQuestion& question);
    void UpdateStrip();
    void Choose(int answer);
    void GoOn();
    void cmdFinishTest();
    void ShowResult();
    void FillReview();
    void StoreResults(const QString& path);

    std::unique_ptr<TTest> m_test;
    std::vector<TAskedQuestion> m_asked;
    TChoices m_choices;
    int m_current = 0;
    QString m_resultsPath;
    std::string m_resultLine;
    bool m_resultsSaved = false;

    QStackedWidget* m_screens = nullptr;
    // Start screen.
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblQuestionCount = nullptr;
    QLineEdit* edtName = nullptr;
    QLineEdit* edtClass = nullptr;
    // Question screen.
    QWidget* m_questionScreen = nullptr;
    QLabel* lblQuestionNumber = nullptr;
    QLabel* lblQuestionText = nullptr;
    QWidget* m_answers = nullptr;
    QVBoxLayout* m_answerRows = nullptr;
    QButtonGroup* m_answerGroup = nullptr;
    QHBoxLayout* m_strip = nullptr;
    std::vector<QPushButton*> m_stripButtons;
    PictureButton* imgPrevious = nullptr;
    PictureButton* imgNext = nullptr;
    // Result screen.
    QLabel* lblStudent = nullptr;
    QLabel* lblScore = nullptr;
    QLabel* lblVerdict = nullptr;
    QLabel* lblSaved = nullptr;
    QTableWidget* tblReview = nullptr;
    PictureButton* imgSaveAs = nullptr;
};
