// The entry of the statistics module: the window, made for the launcher.

#include "screens/statistics.h"
#include "screens/statisticsmaker.h"

extern "C" Q_DECL_EXPORT QWidget* tirages_makeStatistics(const tirages::progress::Store& store,
                                                         tirages::Clock now,
                                                         tirages::screens::TrainQuestions train) {
    auto* window = new tirages::screens::StatisticsWindow(store, std::move(now));
    QObject::connect(window, &tirages::screens::StatisticsWindow::trainRequested, window,
                     [train = std::move(train)](const tirages::lists::ListContent& questions) {
                         train(questions);
                     });
    return window;
}
