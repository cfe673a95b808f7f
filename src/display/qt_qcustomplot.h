// QCustomPlot's header uses the Qt keywords "signals" and "foreach", which this project
// turns off (QT_NO_KEYWORDS): include it through this file.
#pragma once

#include <QtGlobal>

#define signals Q_SIGNALS
#define foreach Q_FOREACH
#include <qcustomplot.h>
#undef signals
#undef foreach
