#pragma once

// How the launcher makes the statistics window. The window and Qt Charts live
// in a module of their own, loaded at the first click on « Statistiques », so
// that the program does not load them at its start.

#include "clock.h"
#include "lists/listfile.h"
#include "result.h"

#include <QDateTime>
#include <functional>
#include <memory>

class QWidget;

namespace tirages::progress {
class Store;
}

namespace tirages::screens {

using TrainQuestions = std::function<void(const lists::ListContent&)>;
// The window on the store, its clock, and what « Entraîner ces mots » does;
// or why it cannot be made.
using StatisticsMaker = std::function<Result<std::unique_ptr<QWidget>>(
    const progress::Store& store, Clock now, TrainQuestions train)>;

// The module's own maker, by its C name.
using MakeStatistics = QWidget* (*)(const progress::Store& store, Clock now, TrainQuestions train);
inline constexpr char kMakeStatistics[] = "tirages_makeStatistics";

} // namespace tirages::screens
