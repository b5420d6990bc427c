// The "eksportuj" button with its save dialog, and Moodle XML, GIFT and
// Aiken files chosen as sources in the import dialog.
#include "MainWindow.h"
#include "TestSupport.h"

#include "app/ExchangeFiles.h"
#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "model/Exchange.h"
#include "ui/Cp1250.h"
#include "ui/QuestionList.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

class tst_ExchangeFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonSitsBesideTheOtherThree();
    void exportWritesTheChosenFormat_data();
    void exportWritesTheChosenFormat();
    void proposalsFollowTheAnswerKeyRules();
    void exportListsTheQuestionsLeftOut();
    void cancelledExportWritesNothing();
    void failedExportShowsTheErrorAndWritesNothing();
    void importDialogOffersEveryFormat();
    void realExportDialogProposesTheNameOfEachFilter();
    void realImportDialogTellsTheFilterChosen();
    void importReadsEachFormat_data();
    void importReadsEachFormat();
    void importedQuestionsAreFaithfulCopies();
    void fileWithNothingUsableStaysOnTheEditor();
    void fileOfAnotherFormatShowsTheErrorAndStays();

private:
    QWidget* child(const char* name) const { return m_window->child(name); }
    QuestionList* importList() const { return m_window->child<QuestionList>("lstImport"); }
    QModelIndex importRow(int row) const { return importList()->model()->index(row, 0); }
    // Opens a test titled `title` whose questions have these scores; the
    // summary page is then in view.
    void openTest(const QString& title, const QList<QList<int>>& scores);
    void enterQuestions();
    QString fixtureCopy(const QString& fixture, const QString& name);

    std::unique_ptr<MainWindow> m_window;
    QString m_testPath;
};

void tst_ExchangeFiles::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(QDir(m_window->dir.path()).mkdir(QStringLiteral("Testy")));
    m_window->form->TestsFolder = m_window->dir.filePath(QStringLiteral("Testy")) + QLatin1Char('/');
}

void tst_ExchangeFiles::cleanup()
{
    m_window.reset();
}

void tst_ExchangeFiles::openTest(const QString& title, const QList<QList<int>>& scores)
{
    auto test = NewTestWithDefaults();
    test->Title = ToCp1250(title);
    test->DeleteQuestion(0);
    for (const QList<int>& score : scores) {
        TQuestion* question = test->AddQuestion();
        question->Text = ToCp1250(QStringLiteral("Pytanie %1 – zażółć {gęślą} jaźń €").arg(test->QuestionCount));
        for (int i = 0; i < 3; ++i)
            question->GetAnswer(i)->Score = score[i];
    }
    m_testPath = m_window->form->TestsFolder + QStringLiteral("Próba.test");
    WriteTestFile(*test, m_testPath);
    m_window->prompts.openAnswers << m_testPath;
    QTest::mouseClick(child("img1"), Qt::LeftButton);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_ExchangeFiles::enterQuestions()
{
    QTest::mouseClick(child("imgNext"), Qt::LeftButton);
    QTest::mouseClick(child("imgNext"), Qt::LeftButton);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
}

QString tst_ExchangeFiles::fixtureCopy(const QString& fixture, const QString& name)
{
    const QString path = m_window->dir.filePath(name);
    WriteBytes(path, ReadBytes(QStringLiteral(EXCHANGE_FIXTURES "/") + fixture));
    return path;
}

void tst_ExchangeFiles::buttonSitsBesideTheOtherThree()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    QWidget* button = child("imgEksportuj");
    QVERIFY(button->isVisible());
    QCOMPARE(button->parentWidget(), child("jvpnl6"));
    QCOMPARE(button->geometry(), QRect(496, 89, 149, 32));
    QCOMPARE(button->geometry().top(), child("imgUruchomTest")->geometry().top());
    // Anchored left and bottom: a wider window leaves it in its place.
    m_window->form->resize(m_window->form->size() + QSize(200, 0));
    QTRY_VERIFY(child("jvpnl6")->width() > 857);
    QCOMPARE(button->geometry(), QRect(496, 89, 149, 32));
}

void tst_ExchangeFiles::exportWritesTheChosenFormat_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<TExchangeFormat>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("moodle xml") << 0 << TExchangeFormat::MoodleXml << "Próba ąę.xml";
    QTest::newRow("gift") << 1 << TExchangeFormat::Gift << "Próba ąę.gift";
    QTest::newRow("aiken") << 2 << TExchangeFormat::Aiken << "Próba ąę.txt";
}

void tst_ExchangeFiles::exportWritesTheChosenFormat()
{
    QFETCH(int, filter);
    QFETCH(TExchangeFormat, format);
    QFETCH(QString, name);
    openTest(QStringLiteral("Próba ąę"), {{1, 0, 0}, {0, 0, 1}});
    const QString target = m_window->dir.filePath(QStringLiteral("wynik"));
    m_window->prompts.saveAnswers << target;
    m_window->prompts.exportFilterAnswers << filter;
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);

    QCOMPARE(m_window->prompts.exportFilterOffered, 0);
    QCOMPARE(m_window->prompts.exportProposals.value(filter), name);
    QCOMPARE(QDir(m_window->prompts.saveFolder), QDir(m_window->form->TestsFolder));
    QCOMPARE(m_window->prompts.errors, QStringList());
    QCOMPARE(m_window->prompts.messages,
             QStringList{QStringLiteral("Wyeksportowano test do pliku „wynik”.")});
    // UTF-8, and read back it is the test's two questions.
    const QByteArray written = ReadBytes(target);
    QVERIFY(written.contains("zażółć"));
    TTest read;
    std::vector<std::string> notes;
    ImportTest(written.toStdString(), format, read, notes);
    QCOMPARE(read.QuestionCount, 2);
    const TTest& test = *m_window->form->CurrentTest;
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(FromCp1250(read.Questions[size_t(i)]->Text), FromCp1250(test.Questions[size_t(i)]->Text));
        for (int a = 0; a < 3; ++a)
            QCOMPARE(read.Questions[size_t(i)]->Answers[size_t(a)]->Score,
                     test.Questions[size_t(i)]->Answers[size_t(a)]->Score);
    }
}

void tst_ExchangeFiles::proposalsFollowTheAnswerKeyRules()
{
    openTest(QStringLiteral("Klasa 3/4: powtórka"), {{1, 0, 0}});
    WriteBytes(m_window->form->TestsFolder + QStringLiteral("Klasa 3_4_ powtórka.xml"), "x");
    WriteBytes(m_window->form->TestsFolder + QStringLiteral("Klasa 3_4_ powtórka 1.xml"), "x");
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.exportFilters,
             (QStringList{"Moodle XML (*.xml)", "GIFT (*.gift *.txt)", "Aiken (*.txt)"}));
    QCOMPARE(m_window->prompts.exportProposals,
             (QStringList{"Klasa 3_4_ powtórka 2.xml", "Klasa 3_4_ powtórka.gift", "Klasa 3_4_ powtórka.txt"}));
}

void tst_ExchangeFiles::exportListsTheQuestionsLeftOut()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}, {1, 1, 1}});
    const QString target = m_window->dir.filePath(QStringLiteral("aiken.txt"));
    m_window->prompts.saveAnswers << target;
    m_window->prompts.exportFilterAnswers << 2;
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.messages,
             QStringList{QStringLiteral(
                 "Pominięto pytania: 2, 4, 5 – format Aiken wymaga dokładnie jednej poprawnej odpowiedzi.")});
    QCOMPARE(ReadBytes(target).count("ANSWER:"), 2);

    // Several reasons: one line each.
    m_window->prompts.messages.clear();
    m_window->prompts.saveAnswers << m_window->dir.filePath(QStringLiteral("moodle.xml"));
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.messages,
             QStringList{QStringLiteral(
                 "Pominięto pytania: 2, 5 – format Moodle XML wymaga jednej najwyżej punktowanej odpowiedzi.\n"
                 "Pominięto pytania: 4 – format Moodle XML wymaga co najmniej jednej poprawnej odpowiedzi.")});
}

void tst_ExchangeFiles::cancelledExportWritesNothing()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    const QStringList before = QDir(m_window->form->TestsFolder).entryList(QDir::Files);
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.exportProposals.size(), 3);
    QCOMPARE(QDir(m_window->form->TestsFolder).entryList(QDir::Files), before);
    QCOMPARE(m_window->prompts.messages, QStringList());
    QCOMPARE(m_window->prompts.errors, QStringList());
}

void tst_ExchangeFiles::failedExportShowsTheErrorAndWritesNothing()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    // A folder of that name is never replaced by the file ...
    const QString folder = m_window->dir.filePath(QStringLiteral("folder.xml"));
    QVERIFY(QDir().mkdir(folder));
    WriteBytes(folder + QStringLiteral("/inny.txt"), "x");
    // ... and a folder that is gone cannot take it.
    m_window->prompts.saveAnswers << folder << m_window->dir.filePath(QStringLiteral("brak/test.xml"));
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QTest::mouseClick(child("imgEksportuj"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.errors.size(), 2);
    for (const QString& error : m_window->prompts.errors)
        QVERIFY2(error.startsWith(QStringLiteral("Cannot create file ")), qPrintable(error));
    QCOMPARE(ReadBytes(folder + QStringLiteral("/inny.txt")), QByteArray("x"));
    QCOMPARE(m_window->prompts.messages, QStringList());
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::SummaryPage));
}

void tst_ExchangeFiles::importDialogOffersEveryFormat()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    enterQuestions();
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.importFilters,
             (QStringList{"Wszystkie obsługiwane (*.test *.xml *.gift *.txt)", "Pliki z testami (*.test)",
                          "Moodle XML (*.xml)", "GIFT (*.gift *.txt)", "Aiken (*.txt)"}));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
}

void tst_ExchangeFiles::realExportDialogProposesTheNameOfEachFilter()
{
    const QString folder = m_window->dir.path();
    const QStringList filters{"Moodle XML (*.xml)", "GIFT (*.gift *.txt)", "Aiken (*.txt)"};
    QStringList shown;
    WhenModalShown([&shown](QDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (!name || !types) {
            dialog->reject();  // the comparison below then fails
            return;
        }
        shown << dialog->windowTitle() << name->text();
        // Choosing the next filter proposes that format's name.
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        shown << name->text() << types->currentText();
        dialog->accept();
    });
    int filter = 0;
    const QString path = m_window->prompts.Prompts::SaveExportFileName(
        m_window->form.get(), folder, filters, {"Próba.xml", "Próba.gift", "Próba.txt"}, filter);
    QCOMPARE(shown, (QStringList{"Eksportuj jako", "Próba.xml", "Próba.gift", "GIFT (*.gift *.txt)"}));
    QCOMPARE(path, QDir(folder).filePath(QStringLiteral("Próba.gift")));
    QCOMPARE(filter, 1);
}

void tst_ExchangeFiles::realImportDialogTellsTheFilterChosen()
{
    const QString path = fixtureCopy(QStringLiteral("platform-aiken.txt"), QStringLiteral("chemia.txt"));
    QStringList offered;
    WhenModalShown([&offered](QDialog* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        if (!fileDialog) {
            dialog->reject();
            return;
        }
        offered = fileDialog->nameFilters();
        fileDialog->selectNameFilter(QStringLiteral("Aiken (*.txt)"));
        dialog->accept();
    });
    QString filter;
    const QString chosen = m_window->prompts.Prompts::OpenImportFileName(
        m_window->form.get(), m_window->dir.path(), QStringLiteral("chemia.txt"), ImportFilters(), filter);
    QCOMPARE(offered, ImportFilters());
    QCOMPARE(chosen, path);
    QCOMPARE(filter, QStringLiteral("Aiken (*.txt)"));
}

void tst_ExchangeFiles::importReadsEachFormat_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");  // empty: the first one, every supported file
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("messages");
    const QStringList xmlItems{
        "Które organellum nazywamy centrum energetycznym komórki? Wybierz jedną odpowiedź.",
        "Pierwszy wiersz drugi wiersz", "Cena 5 € < 10 € & „cudzysłów” – łódź"};
    const QString xmlMessage = QStringLiteral(
        "Pominięto pytania, których nie można zaimportować: 6.\n"
        "Pytanie 2: pytanie prawda/fałsz\nPytanie 3: pytanie z krótką odpowiedzią\n"
        "Pytanie 5: pytanie z kilkoma poprawnymi odpowiedziami\nPytanie 6: pytanie otwarte (esej)\n"
        "Pytanie 7: pytanie na dopasowanie\nPytanie 8: pytanie numeryczne");
    const QStringList aikenItems{"Który pierwiastek ma symbol Fe?", "Ile wynosi 2 + 2 · 2?", "Stolica Polski to:"};
    const QString aikenMessage = QStringLiteral(
        "Pominięto pytania, których nie można zaimportować: 1.\n"
        "Pytanie 3: poprawna odpowiedź nie należy do pytania");
    const QStringList giftItems{"W którym roku odbył się chrzest Polski?",
                                "Która stolica była pierwsza: Gniezno czy Kraków?",
                                "Pierwszą stolicą Polski było _____ według tradycji.",
                                "Znaki specjalne: ~ = # { } \\ i €"};
    const QString giftMessage = QStringLiteral(
        "Pominięto pytania, których nie można zaimportować: 6.\n"
        "Pytanie 3: pytanie prawda/fałsz\nPytanie 4: pytanie otwarte (esej)\n"
        "Pytanie 5: pytanie na dopasowanie\nPytanie 6: pytanie numeryczne\n"
        "Pytanie 7: pytanie z krótką odpowiedzią\n"
        "Pytanie 9: pytanie z kilkoma poprawnymi odpowiedziami");
    QTest::newRow("moodle xml by its name") << "moodle-quiz.xml" << "bank.xml" << "" << "Komórka i tkanki"
                                            << xmlItems << QStringList{xmlMessage};
    QTest::newRow("moodle xml by the filter") << "moodle-quiz.xml" << "bank.dat" << "Moodle XML (*.xml)"
                                              << "Komórka i tkanki" << xmlItems << QStringList{xmlMessage};
    QTest::newRow("gift by its name") << "platform.gift" << "historia.gift" << "" << "Średniowiecze"
        << giftItems << QStringList{giftMessage};
    QTest::newRow("gift in a .txt file") << "platform.gift" << "historia.txt" << "" << "Średniowiecze"
        << giftItems << QStringList{giftMessage};
    QTest::newRow("aiken in a .txt file") << "platform-aiken.txt" << "chemia.txt" << "" << "chemia"
                                          << aikenItems << QStringList{aikenMessage};
    QTest::newRow("aiken by the filter") << "platform-aiken.txt" << "chemia.txt" << "Aiken (*.txt)" << "chemia"
                                         << aikenItems << QStringList{aikenMessage};
    QTest::newRow("aiken without notes") << "windows-1250-aiken.txt" << "stary.txt" << "" << "stary"
                                         << QStringList{"Pytanie w Windows-1250: żółw?"} << QStringList{};
}

void tst_ExchangeFiles::importReadsEachFormat()
{
    QFETCH(QString, fixture);
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    QFETCH(QStringList, messages);
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    enterQuestions();
    m_window->prompts.openAnswers << fixtureCopy(fixture, name);
    if (!filter.isEmpty())
        m_window->prompts.importFilterAnswers << filter;
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);

    QCOMPARE(m_window->prompts.errors, QStringList());
    QCOMPARE(m_window->prompts.messages, messages);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    QCOMPARE(FromCp1250(m_window->form->ImportSource->Title), title);
    QStringList shown;
    for (int row = 0; row < importList()->count(); ++row) {
        shown << importRow(row).data().toString();
        QCOMPARE(importRow(row).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    }
    QCOMPARE(shown, items);
}

void tst_ExchangeFiles::importedQuestionsAreFaithfulCopies()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    enterQuestions();
    m_window->prompts.openAnswers << fixtureCopy(QStringLiteral("platform.gift"), QStringLiteral("h.gift"));
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::ImportPage));
    QVERIFY(importList()->model()->setData(importRow(1), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(importList()->model()->setData(importRow(3), Qt::Checked, Qt::CheckStateRole));
    QTest::mouseClick(child("imgImportuj"), Qt::LeftButton);

    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    const TTest& test = *m_window->form->CurrentTest;
    QCOMPARE(test.QuestionCount, 3);
    const TQuestion& stolica = *test.Questions[1];
    QCOMPARE(FromCp1250(stolica.Text), QStringLiteral("Która stolica była pierwsza: Gniezno czy Kraków?"));
    QCOMPARE(stolica.Kind, std::string("Jednokrotnego wyboru"));
    QCOMPARE(stolica.FontSize, 0);
    QCOMPARE(stolica.AnswerCount, 4);
    const QStringList answers{"Kraków", "Gniezno", "Płock", "Poznań"};
    for (int a = 0; a < 4; ++a) {
        QCOMPARE(FromCp1250(stolica.Answers[size_t(a)]->Text), answers[a]);
        QCOMPARE(stolica.Answers[size_t(a)]->Score, a == 1 ? 1 : 0);
    }
    // A line break written as "\n" is a line break of the program's own.
    QCOMPARE(test.Questions[2]->Answers[1]->Text, std::string("Nie\r\nna pewno"));
}

void tst_ExchangeFiles::fileWithNothingUsableStaysOnTheEditor()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    enterQuestions();
    const QString path = m_window->dir.filePath(QStringLiteral("eseje.gift"));
    WriteBytes(path, "::E1:: Opisz Wisłę.{}\n\n::E2:: Prawda?{T}\n");
    m_window->prompts.openAnswers << path;
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.messages,
             QStringList{QStringLiteral(
                 "W pliku „eseje.gift” nie ma pytań jednokrotnego wyboru, które można zaimportować.")});
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);
    QCOMPARE(m_window->form->CurrentTest->QuestionCount, 1);
}

void tst_ExchangeFiles::fileOfAnotherFormatShowsTheErrorAndStays()
{
    openTest(QStringLiteral("Próba"), {{1, 0, 0}});
    enterQuestions();
    m_window->prompts.openAnswers << fixtureCopy(QStringLiteral("platform-aiken.txt"), QStringLiteral("a.txt"));
    m_window->prompts.importFilterAnswers << QStringLiteral("Moodle XML (*.xml)");
    QTest::mouseClick(child("imgImportQuestion"), Qt::LeftButton);
    QCOMPARE(m_window->prompts.errors.size(), 1);
    QVERIFY2(m_window->prompts.errors.first().startsWith(QStringLiteral("Plik nie jest poprawnym dokumentem XML")),
             qPrintable(m_window->prompts.errors.first()));
    QCOMPARE(m_window->form->PageIndex(), int(TForm1::QuestionsPage));
    QVERIFY(!m_window->form->ImportSource);
}

QTEST_MAIN(tst_ExchangeFiles)
#include "tst_exchangefiles.moc"
