#pragma once

#include <QFont>

// The windows' font: MS Sans Serif, 11 pixels high (a sans-serif stand-in where it is missing).
QFont FormFont();
