// The list models over the current test and over the import source, under
// Qt's model tester while they change.

#include "app/ImportListModel.h"
#include "app/QuestionListModel.h"
#include "ui/QuestionList.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

std::unique_ptr<TTest> NumberedTest(int questions)
{
    auto test = std::make_unique<TTest>();
    for (int i = 0; i < questions; ++i)
        test->AddQuestion()->Text = "Q" + std::to_string(i + 1);
    return test;
}

QStringList Shown(const QAbstractItemModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, 0).data().toString();
    return texts;
}

} // namespace

class tst_ListModels : public QObject
{
    Q_OBJECT

private slots:
    void questionRowsFollowTheTest_data();
    void questionRowsFollowTheTest();
    void retypingChangesOneRow();
    void ticksAreCountedAndCopiedInOrder();
};

void tst_ListModels::questionRowsFollowTheTest_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("shownAfter");
    QTest::newRow("first") << 0 << QStringList{"Q2\n", "Q3\n", "Pytanie nr 4\n", "Źródło\n"};
    QTest::newRow("middle") << 1 << QStringList{"Q1\n", "Q3\n", "Pytanie nr 4\n", "Źródło\n"};
    QTest::newRow("last") << 4 << QStringList{"Q1\n", "Q2\n", "Q3\n", "Pytanie nr 4\n"};
    QTest::newRow("outside") << 5 << QStringList{"Q1\n", "Q2\n", "Q3\n", "Pytanie nr 4\n", "Źródło\n"};
}

void tst_ListModels::questionRowsFollowTheTest()
{
    QFETCH(int, deleted);
    QFETCH(QStringList, shownAfter);

    QuestionListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy changed(&model, &QuestionListModel::changed);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.Question(0));

    auto test = NumberedTest(3);
    model.SetTest(test.get());
    QCOMPARE(Shown(model), (QStringList{"Q1\n", "Q2\n", "Q3\n"}));
    TQuestion* added = model.AddQuestion();
    QCOMPARE(added, test->GetQuestion(3));
    TQuestion source;
    source.Text = "\x8Fr\xF3" "d\xB3o";  // "Źródło"
    source.AddAnswer()->Text = "a";
    model.AddCopies({&source});
    QCOMPARE(test->QuestionCount, 5);
    QCOMPARE(test->GetQuestion(4)->Answers.size(), std::size_t(1));

    model.DeleteQuestion(deleted);
    QCOMPARE(Shown(model), shownAfter);
    QCOMPARE(test->QuestionCount, int(shownAfter.size()));
    for (int row = 0; row < model.rowCount(); ++row) {
        QCOMPARE(model.index(row, 0).data(QuestionListModel::QuestionRole).value<TQuestion*>(),
                 test->GetQuestion(row));
        QCOMPARE(model.index(row, 0).data(QuestionList::TextLengthRole).toInt(),
                 int(test->GetQuestion(row)->Text.size()));
    }
    // Setting the test, adding, copying and each real deletion are announced.
    QCOMPARE(changed.count(), deleted < 5 ? 4 : 3);

    model.SetTest(nullptr);
    QCOMPARE(model.rowCount(), 0);
}

void tst_ListModels::retypingChangesOneRow()
{
    auto test = NumberedTest(3);
    QuestionListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetTest(test.get());
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy changed(&model, &QuestionListModel::changed);

    model.SetQuestionText(1, "Q2\r\nwiersz");
    QCOMPARE(test->GetQuestion(1)->Text, std::string("Q2\r\nwiersz"));
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("Q2\nwiersz\n"));
    QCOMPARE(dataChanged.count(), 1);
    QCOMPARE(dataChanged.first().at(0).toModelIndex(), model.index(1, 0));
    QCOMPARE(dataChanged.first().at(1).toModelIndex(), model.index(1, 0));
    // The same text again changes nothing; the count never changed.
    model.SetQuestionText(1, "Q2\r\nwiersz");
    QCOMPARE(dataChanged.count(), 1);
    QCOMPARE(changed.count(), 0);
}

void tst_ListModels::ticksAreCountedAndCopiedInOrder()
{
    auto source = NumberedTest(5);
    source->GetQuestion(2)->Text = "dwa\r\nwiersze";
    ImportListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy ticksChanged(&model, &ImportListModel::ticksChanged);
    model.SetSource(source.get());
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.TickedCount(), 0);
    // One line per row.
    QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("dwa wiersze"));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);

    QVERIFY(model.setData(model.index(3, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));  // ticked already
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("tekst"), Qt::EditRole));
    QCOMPARE(model.TickedCount(), 2);
    QCOMPARE(model.Ticked(), (std::vector<const TQuestion*>{source->GetQuestion(1), source->GetQuestion(3)}));
    QCOMPARE(model.index(3, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model.index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    model.SetTicks({true, false, false, false, true});
    QCOMPARE(model.TickedCount(), 2);
    QCOMPARE(model.Ticked(), (std::vector<const TQuestion*>{source->GetQuestion(0), source->GetQuestion(4)}));
    QVERIFY(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(model.TickedCount(), 1);
    QCOMPARE(ticksChanged.count(), 5);

    // A new source starts with nothing ticked.
    model.SetSource(source.get());
    QCOMPARE(model.TickedCount(), 0);
    model.SetSource(nullptr);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.Ticked().empty());
}

QTEST_MAIN(tst_ListModels)
#include "tst_listmodels.moc"
