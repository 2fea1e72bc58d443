#pragma once

#include "clock.h"
#include "screens/spoken.h"
#include "screens/statisticsmaker.h"
#include "session/farewell.h"
#include "session/listfolder.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tirages::lists {
struct ListFile;
}
namespace tirages::session {
class Carrying;
class Sittings;
struct LauncherView;
} // namespace tirages::session

namespace tirages::screens {

class CarryWindow;
class TrainingScreen;

// The launcher: the player picks a list and starts it, or quits. Its controls
// carry the names players and the manual use as their object names.
class Launcher : public QWidget {
    Q_OBJECT

public:
    // makeTrainingScreen creates the training screen on the first "LANCER";
    // sittings decides what the launcher offers and keeps the trainings;
    // carrying does what « Sauvegarde… » offers; now is the time of day.
    Launcher(std::function<std::unique_ptr<TrainingScreen>()> makeTrainingScreen,
             session::Sittings& sittings, session::Carrying& carrying, Clock now,
             QWidget* parent = nullptr);
    ~Launcher() override;

    // The training screen, or null before the first "LANCER".
    TrainingScreen* trainingScreen() const { return m_trainingScreen.get(); }
    // How « Statistiques » makes its window; without, the button is not shown.
    void setStatisticsMaker(StatisticsMaker maker) { m_makeStatistics = std::move(maker); }
    // The statistics window, or null before « Statistiques ».
    QWidget* statisticsWindow() const { return m_statisticsWindow.get(); }
    // The « Sauvegarde » window, or null before « Sauvegarde… ».
    CarryWindow* carryWindow() const { return m_carryWindow; }

    // The about text the farewell shows, lines ended by CR LF.
    static QString aboutText();

    // One tick of the farewell's timer: a step of its countdown, the end of
    // the program after the last.
    void farewellTick();

    // The farewell countdown after "Quitter".
    const session::Farewell& farewell() const { return m_farewell; }

    // Shows again what the sittings say, after they changed from outside.
    void refresh();

signals:
    // The launcher has been painted once: what it does not need before that
    // can be done now.
    void firstPainted();
    // The program must end now; what was trained is kept.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void setUpListBox();
    // Shows the view; a message the same as the one shown is told again only
    // when asked.
    void showView(const session::LauncherView& view, bool tellAgain = false);
    bool confirmRestart(const QString& question);
    void launchClicked();
    // What a plain word list left out, and what the lexicon added to it.
    void tellBeforeTraining(const lists::ListFile& file);
    void continueClicked();
    void reviewClicked();
    void statisticsClicked();
    void carryClicked();
    // Starts the training screen on a list read.
    void train(const lists::ListFile& file);
    void browseClicked();
    // « Lexique… »: the lexicon shipped, or a word file chosen in the file dialog.
    void lexiconClicked();
    void chooseLexicon(const QString& path);
    void showTraining(TrainingScreen& training);
    void trainingLeft();
    void quitClicked();
    void endProgram();
    // Whether the player still asks to keep what could not be kept yet.
    bool retryAfter(const QString& failure);
    // Saves that did not go through are tried again each second while any is left.
    void watchPending();

    TrainingScreen& trainingScreenMade();

    std::function<std::unique_ptr<TrainingScreen>()> m_makeTrainingScreen;
    session::Sittings& m_sittings;
    session::Carrying& m_carrying;
    Clock m_now;
    session::ListFolder m_listFolder;
    std::unique_ptr<TrainingScreen> m_trainingScreen;
    StatisticsMaker m_makeStatistics;
    std::unique_ptr<QWidget> m_statisticsWindow;
    CarryWindow* m_carryWindow = nullptr;
    session::Farewell m_farewell;
    QTimer* m_retry = nullptr;
    bool m_painted = false;

    QLabel* m_heading = nullptr;
    QComboBox* m_listBox = nullptr;
    QPushButton* m_launchButton = nullptr;
    QPushButton* m_quitButton = nullptr;
    QPlainTextEdit* m_about = nullptr;
    QLabel* m_farewellCountdown = nullptr;
    QTimer* m_farewellTimer = nullptr;
    AlertLabel* m_message = nullptr;           // why the last list could not be started
    QLabel* m_progress = nullptr;              // the training kept for the list named, if any
    QPushButton* m_continueButton = nullptr;   // takes that training up
    QPushButton* m_browseButton = nullptr;     // picks a list file in the file dialog
    QPushButton* m_lexiconButton = nullptr;    // picks the lexicon
    QLabel* m_lexiconLine = nullptr;           // the lexicon in force, if not the one shipped
    QLabel* m_reviewLine = nullptr;            // how many questions are due today, if any
    QPushButton* m_reviewButton = nullptr;     // trains them
    QPushButton* m_statisticsButton = nullptr; // opens the statistics, once a series was corrected
    QPushButton* m_carryButton = nullptr;      // opens « Sauvegarde », once something is kept
};

} // namespace tirages::screens
