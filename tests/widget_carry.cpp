// « Sauvegarde… » from the launcher: shown once something is kept, its window
// copies everything kept and puts it back after asking, and imports a cardbox
// whose questions due then show on the launcher.

#include "screens/carry.h"
#include "screens/launcher.h"
#include "screens/spoken.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "support/controls.h"
#include "support/historysupport.h"
#include "support/progresssupport.h"
#include "support/testsupport.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tirages;
using namespace tirages::training;
using tirages::test::ui;

namespace {

// Picks `file` in the file dialog the click opens.
void pickIn(screens::CarryWindow& window, QPushButton* action, const QString& file) {
    QTest::mouseClick(action, Qt::LeftButton);
    QFileDialog* dialog = window.fileDialog();
    QVERIFY(dialog && dialog->isVisible());
    dialog->selectFile(file);
    QMetaObject::invokeMethod(dialog, "accept");
    // The action runs once the dialog is gone.
    QTRY_VERIFY(!window.fileDialog());
    QCoreApplication::processEvents();
}

// Clicks the button of the question box once it is up; what it asked.
void answerWith(const QString& button, QString* asked) {
    auto* wait = new QTimer;
    QObject::connect(wait, &QTimer::timeout, [wait, button, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        wait->deleteLater();
        *asked = box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == button)
                QTest::mouseClick(b, Qt::LeftButton);
        }
    });
    wait->start(10);
}

} // namespace

class WidgetCarry : public QObject {
    Q_OBJECT

private slots:
    void copiedPutBackAndImportedFromTheLauncher() {
        QTemporaryDir dir;
        test::WorkingFolder folder;
        const Clock clock = [] { return test::kNow; };
        session::Sittings sittings({}, clock);
        session::Carrying carrying(sittings, {});
        screens::Launcher launcher(
            [] { return std::make_unique<screens::TrainingScreen>(test::countingSeeds()); },
            sittings, carrying, clock);
        launcher.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launcher));
        QVERIFY(ui(launcher).sauvegarde->isHidden()); // nothing kept: as on a first run
        auto store = test::openStore(dir.filePath("kept.sqlite"));
        QVERIFY(test::fillHistory(*store));
        progress::Store& kept = *store;
        sittings.useStore(std::move(store));
        launcher.refresh();
        QVERIFY(ui(launcher).sauvegarde->isVisible());
        ui(launcher).quitter->setFocus();
        QTest::keyClick(&launcher, Qt::Key_Backtab);
        QCOMPARE(launcher.focusWidget(), ui(launcher).sauvegarde);

        QTest::mouseClick(ui(launcher).sauvegarde, Qt::LeftButton);
        screens::CarryWindow* window = launcher.carryWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Sauvegarde"));
        QCOMPARE(window->focusWidget(), window->importer);

        const QString copy = dir.filePath("copie.tirages");
        pickIn(*window, window->sauvegarder, copy);
        QCOMPARE(window->focusWidget(), window->sauvegarder); // back on the action's button
        QCOMPARE(window->outcome->text(),
                 QStringLiteral("Tout ce que tirages garde est copié dans %1.")
                     .arg(QDir::toNativeSeparators(copy)));
        QVERIFY(QFile::exists(copy));

        // Trained on since; asked, then not put back; then put back.
        QVERIFY(kept.trainings().record(
            test::list("plus tard"),
            {test::series(test::at(10, 11), 30, 0, {{test::kCible, true, 2}})}, test::at(10, 11)));
        QString asked;
        answerWith("Annuler", &asked);
        pickIn(*window, window->restaurer, copy);
        QCOMPARE(asked, QStringLiteral("Les entraînements et l'historique actuels seront "
                                       "remplacés par ceux du 9 décembre 2026."));
        QVERIFY(kept.memory().card(test::kCible)->reps > 0);
        const qint32 repsBefore = kept.memory().card(test::kCible)->reps;
        answerWith("Remplacer", &asked);
        pickIn(*window, window->restaurer, copy);
        QVERIFY2(window->outcome->text().startsWith("La copie est restaurée."),
                 qPrintable(window->outcome->text()));
        QCOMPARE(kept.memory().card(test::kCible)->reps, repsBefore - 1);

        // A cardbox answered after tirages' last reviews, one of its questions
        // back a minute ago: due now.
        const QString cardbox = dir.filePath("Anagrams.db");
        const qint64 now = test::kNow.toSecsSinceEpoch();
        QVERIFY(test::writeCardbox(cardbox, {{"ABELT", 3, 0, 3, now - 3600, 2, now - 60},
                                             {"ABERR", 1, 0, 1, now - 3600, 1, now + 2 * 86400}}));
        launcher.refresh();
        const QString dueBefore = ui(launcher).reviewLine->text();
        pickIn(*window, window->importer, cardbox);
        QCOMPARE(window->outcome->text(), QStringLiteral("2 questions importées."));
        QVERIFY(ui(launcher).reviewLine->isVisible());
        QVERIFY(ui(launcher).reviewLine->text() != dueBefore);
        QVERIFY(kept.memory().dueQuestions(test::kNow).contains(test::kTable));

        QTest::mouseClick(window->fermer, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }
};

// Qt's own file dialog, which the test drives, rather than the desktop's.
int main(int argc, char* argv[]) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    WidgetCarry test;
    return QTest::qExec(&test, argc, argv);
}
#include "widget_carry.moc"
