// The start page: open a test, create a new one, show the tests folder.

#include "app/TForm1.h"

#include "app/Prompts.h"
#include "app/QuestionListModel.h"
#include "app/TestFiles.h"
#include "dialogs/TForm4.h"
#include "ui/AnchorLayout.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

void TForm1::BuildStartPage()
{
    auto* layout = static_cast<AnchorLayout*>(ts1->layout());
    lblHeading = new QLabel(
        QStringLiteral("Testarion\n– program do przygotowywania zestawów testowych"), ts1);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    lblHeading->setAlignment(Qt::AlignCenter);
    lblHeading->setFont(DesignFont(24, true));
    layout->addWidget(lblHeading, QRect(59, 48, 789, 80), AnchorLayout::Top);

    img1 = new PictureButton(QStringLiteral("otworz_test"), QStringLiteral("Otwórz test"),
                             {356, 72}, ts1);
    img1->setObjectName(QStringLiteral("img1"));
    layout->addWidget(img1, QRect(248, 258, 356, 72), AnchorLayout::Bottom);
    OnClick(img1, &TForm1::cmdOpenTest);

    img2 = new PictureButton(QStringLiteral("utworz_nowy_test"), QStringLiteral("Utwórz nowy test"),
                             {356, 72}, ts1);
    img2->setObjectName(QStringLiteral("img2"));
    layout->addWidget(img2, QRect(248, 354, 356, 72), AnchorLayout::Bottom);
    OnClick(img2, &TForm1::cmdNewTest);

    imgOpenFolder = new PictureButton(QStringLiteral("otworz_folder"),
                                      QStringLiteral("Otwórz folder z testami"), {356, 45}, ts1);
    imgOpenFolder->setObjectName(QStringLiteral("imgOpenFolder"));
    layout->addWidget(imgOpenFolder, QRect(248, 448, 356, 45), AnchorLayout::Bottom);
    OnClick(imgOpenFolder, &TForm1::imgOpenFolderClick);
}

QString TForm1::AskTestFileName()
{
    QString path = Prompts::Current().OpenTestFileName(this, TestsFolder, LastOpenedFileName);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".test");
    LastOpenedFileName = QFileInfo(path).fileName();
    return path;
}

void TForm1::cmdOpenTest()
{
    const QString path = AskTestFileName();
    if (path.isEmpty())
        return;

    // A file that cannot be read changes nothing: it is read before the
    // current test is replaced.
    TestFileRecord record;
    auto test = ReadTestFile(path, [this](const std::string& message) { ReportReadingError(message); },
                             &record);
    BuildTestPages();
    questionModel->SetTest(nullptr);
    CurrentTest = std::move(test);
    CurrentTestPath = QFileInfo(path).absoluteFilePath();
    CurrentTestFile = record;

    ShowTitleAndDescription();
    FillQuestionList();
    // The pass threshold lives in the second range's lower bound. A file
    // without a readable one still opens; the control then shows the usual
    // 60 and the ranges stay as read.
    int32_t threshold = 0;
    const bool hasThreshold = ReadPassThreshold(*CurrentTest, threshold);
    if (hasThreshold)
        ShowThreshold(threshold, true);
    else
        ShowThreshold(kNewTestThreshold, false);

    // Showing the summary fills the question count and the answer key.
    ShowPage(SummaryPage);
    imgNext->hide();
    imgPrev->show();

    if (!hasThreshold && CurrentTest->Ranges.size() >= 2)
        throw std::runtime_error(NotAnIntegerMessage(CurrentTest->Ranges[1]->LowerBound));
}

void TForm1::cmdNewTest()
{
    if (!Form4)
        Form4 = new TForm4(this);
    Form4->Folder = TestsFolder;
    Form4->FileName = QStringLiteral("Nowy test");
    for (int n = 1; QFileInfo::exists(QDir(TestsFolder).filePath(Form4->FileName + QStringLiteral(".test"))); ++n)
        Form4->FileName = QStringLiteral("Nowy test %1").arg(n);
    Form4->PutFileName(Form4->FileName);
    if (Form4->exec() != QDialog::Accepted)
        return;

    // The new file is written before anything else changes, so a failed
    // write leaves the program as it was, with no half-made test open.
    auto test = NewTestWithDefaults();
    const QString path = QDir(Form4->Folder).absoluteFilePath(Form4->FileName + QStringLiteral(".test"));
    TestFileRecord record;
    record.Stamp = WriteTestFile(*test, path);
    record.Content = test->ContentHash();

    CurrentTest = std::move(test);
    CurrentTestPath = path;
    CurrentTestFile = record;
    ShowPage(PropertiesPage);
    imgNext->show();
    imgPrev->show();
    ShowTitleAndDescription();
    ShowThreshold(kNewTestThreshold, true);
    FillQuestionList();
}

void TForm1::imgOpenFolderClick()
{
    Prompts::Current().OpenUrl(QUrl::fromLocalFile(TestsFolder));
}
