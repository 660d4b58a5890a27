#pragma once

#include <QLoggingCategory>

// The simulator's own category; the client's are in util/logcategories.h.
Q_DECLARE_LOGGING_CATEGORY(lcDevsim)
