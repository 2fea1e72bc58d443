// The « Statistiques » window on a small made-up history: its tabs, tables and
// the sentences a screen reader reads of its charts; and, from the launcher,
// « Entraîner ces mots » starting the training on the hardest words.

#include "entry/answerbox.h"
#include "screens/launcher.h"
#include "screens/statistics.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "session/statistics.h"
#include "support/controls.h"
#include "support/historysupport.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"

#include <QChartView>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using tirages::test::ui;

class WidgetStatistics : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QStringList row(const QTableWidget* table, int r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return cells;
    }

private slots:
    void theWindowShowsWhatTheModelSays() {
        const auto store = test::openStore(m_dir.filePath("window.sqlite"));
        QVERIFY(test::fillHistory(*store));
        screens::StatisticsWindow window(*store, [] { return test::kNow; });
        window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Statistiques"));
        QStringList tabs;
        for (int i = 0; i < window.tabs->count(); ++i)
            tabs << window.tabs->tabText(i);
        QCOMPARE(tabs, (QStringList{"Jour par jour", "Listes", "Mémoire", "Mots difficiles"}));
        QCOMPARE(window.week->text(),
                 "Cette semaine : 4 min d'entraînement, 5 réponses, 40\u00A0% justes.");

        for (int tab = 1; tab < window.tabs->count(); ++tab)
            window.tabs->setCurrentIndex(tab);
        QCOMPARE(row(window.lists, 0).join(u'|'), "5 lettres|3|2|2|5 min|25\u00A0%|");
        QCOMPARE(window.known->text(),
                 "Mots connus aujourd'hui : " +
                     QString::number(session::memory(store->history(), test::kNow).knownToday));
        QCOMPARE(window.hardest->rowCount(), 2);
        QCOMPARE(row(window.hardest, 0).join(u'|'), "BCEIL|CIBLE|2|2|26,0");

        // Every chart has its sentence, and it is the model's.
        const session::Memory memory = session::memory(store->history(), test::kNow);
        const QStringList spoken = {
            session::daily(store->history(), test::kNow).spoken,
            session::daily(store->history(), test::kNow).spoken,
            session::listCurve(store->history(), test::list("5 lettres")).spoken,
            memory.knownSpoken,
            memory.dueSpoken,
            memory.rightSpoken};
        QCOMPARE(window.charts().size(), spoken.size());
        for (int i = 0; i < spoken.size(); ++i) {
            QCOMPARE(window.charts()[i]->accessibleDescription(), spoken[i]);
            QVERIFY(!window.charts()[i]->accessibleName().isEmpty());
        }
    }

    void theAxesWriteNumbersTheFrenchWay() {
        const auto store = test::openStore(m_dir.filePath("half-minute.sqlite"));
        QVERIFY(store->trainings().record(
            lists::ListId::typed("mes mots"),
            {test::series(test::at(9, 9), 30, 0, {{test::kArbre, true, 4}})}, test::at(9, 9)));
        screens::StatisticsWindow window(*store, [] { return test::kNow; });
        window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList labels;
        for (const QChartView* chart : window.charts()) {
            for (const QGraphicsItem* item : chart->scene()->items()) {
                if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
                    labels << text->toPlainText();
            }
        }
        const QStringList decimals =
            labels.filter(QRegularExpression(QStringLiteral("^[0-9]+[.,][0-9]+$")));
        QVERIFY2(!decimals.isEmpty(), qPrintable(labels.join(u' ')));
        QVERIFY2(decimals.filter(QStringLiteral(".")).isEmpty(), qPrintable(decimals.join(u' ')));
    }

    void theHardestWordsAreTrainedFromTheLauncher() {
        test::WorkingFolder folder;
        const Clock now = [] { return test::kNow; };
        session::Sittings sittings({}, now);
        session::Carrying carrying(sittings, {});
        auto store = test::openStore(m_dir.filePath("launcher.sqlite"));
        QVERIFY(test::fillHistory(*store));
        screens::Launcher launcher(
            [] { return std::make_unique<screens::TrainingScreen>(test::countingSeeds()); },
            sittings, carrying, now);
        launcher.setStatisticsMaker(
            [](const progress::Store& s, Clock clock,
               screens::TrainQuestions train) -> Result<std::unique_ptr<QWidget>> {
                auto window = std::make_unique<screens::StatisticsWindow>(s, std::move(clock));
                QObject::connect(window.get(), &screens::StatisticsWindow::trainRequested,
                                 window.get(), std::move(train));
                return std::unique_ptr<QWidget>(std::move(window));
            });
        QVERIFY(ui(launcher).statistiques->isHidden()); // no store yet: nothing to show
        sittings.useStore(std::move(store));
        launcher.refresh();
        launcher.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launcher));
        QVERIFY(ui(launcher).statistiques->isVisible());
        // « Statistiques » takes the focus from "LANCER" as it is clicked.
        QCOMPARE(launcher.focusWidget(), ui(launcher).Command1);
        QTest::mouseClick(ui(launcher).statistiques, Qt::LeftButton);
        QCOMPARE(launcher.focusWidget(), ui(launcher).statistiques);
        auto* window = qobject_cast<screens::StatisticsWindow*>(launcher.statisticsWindow());
        QVERIFY(window && window->isVisible());
        window->tabs->setCurrentIndex(3);
        QTest::mouseClick(window->trainHardest, Qt::LeftButton);
        screens::TrainingScreen* training = launcher.trainingScreen();
        QVERIFY(training && training->isVisible());
        QVERIFY(!launcher.isVisible());
        QCOMPARE(training->focusWidget(), ui(training).solution[0]); // typing goes there
        QStringList draws;
        for (const Question& entry : training->training().state().entries)
            draws << entry.draw;
        draws.sort();
        QCOMPARE(draws, (QStringList{"ABELT", "BCEIL"}));
    }
};

QTEST_MAIN(WidgetStatistics)
#include "widget_statistics.moc"
