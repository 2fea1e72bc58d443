#pragma once

#include "screens/spoken.h"
#include "screens/statisticsmaker.h"
#include "session/farewell.h"

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
class Sittings;
struct LauncherView;
}

namespace tirages::screens {

class CarryWindow;
class Form1;

// The launcher: the player picks a list and starts it, or quits.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // makeTrainingScreen creates the training screen on the first "LANCER";
    // sittings decides what the launcher offers and keeps the trainings.
    Form2(std::function<std::unique_ptr<Form1>()> makeTrainingScreen, session::Sittings& sittings,
          QWidget* parent = nullptr);
    ~Form2() override;

    // The training screen, or null before the first "LANCER".
    Form1* trainingScreen() const { return m_form1.get(); }
    // How « Statistiques » makes its window; without, the button is not shown.
    void setStatisticsMaker(StatisticsMaker maker) { m_makeStatistics = std::move(maker); }
    // The statistics window, or null before « Statistiques ».
    QWidget* statisticsWindow() const { return m_statistics.get(); }
    // The « Sauvegarde » window, or null before « Sauvegarde… ».
    CarryWindow* carryWindow() const { return m_carry; }

    // The about text the farewell shows, lines ended by CR LF.
    static QString aboutText();

    // One tick of Timer1: a step of the farewell countdown, the end of the
    // program after the last.
    void timer1Tick();

    QLabel* Label1 = nullptr;
    QComboBox* fichier = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* quitter = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
    AlertLabel* message = nullptr;    // why the last list could not be started
    QLabel* progress = nullptr;       // the training kept for the list named, if any
    QPushButton* continuer = nullptr; // takes that training up
    QPushButton* parcourir = nullptr; // picks a list file in the file dialog
    QLabel* reviewLine = nullptr;     // how many questions are due today, if any
    QPushButton* reviser = nullptr;   // trains them
    QPushButton* statistiques = nullptr; // opens the statistics, once a series was corrected
    QPushButton* sauvegarde = nullptr;   // opens « Sauvegarde », once something is kept

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
    void lancer();
    void tellLeftOut(const lists::ListFile& file);
    void continuerClicked();
    void reviserClicked();
    void statistiquesClicked();
    void sauvegardeClicked();
    // Starts the training screen on a list read.
    void train(const lists::ListFile& file);
    void parcourirClicked();
    void showTraining(Form1& training);
    void trainingLeft();
    void quitterClicked();
    void endProgram();
    // Saves that did not go through are tried again each second while any is left.
    void watchPending();

    Form1& trainingScreenMade();

    std::function<std::unique_ptr<Form1>()> m_makeTrainingScreen;
    session::Sittings& m_sittings;
    std::unique_ptr<Form1> m_form1;
    StatisticsMaker m_makeStatistics;
    std::unique_ptr<QWidget> m_statistics;
    CarryWindow* m_carry = nullptr;
    session::Farewell m_farewell;
    QTimer* m_retry = nullptr;
    bool m_painted = false;
};

} // namespace tirages::screens
