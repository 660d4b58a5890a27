#include "util/logcategories.h"

Q_LOGGING_CATEGORY(lcApp, "veloxa.app")
Q_LOGGING_CATEGORY(lcModel, "veloxa.model")
Q_LOGGING_CATEGORY(lcArchive, "veloxa.formats.archive")
Q_LOGGING_CATEGORY(lcPanel, "veloxa.formats.panel")
Q_LOGGING_CATEGORY(lcSkin, "veloxa.formats.skin")
Q_LOGGING_CATEGORY(lcCanvas, "veloxa.canvas")
Q_LOGGING_CATEGORY(lcLogger, "veloxa.util.logger")
Q_LOGGING_CATEGORY(lcHardware, "veloxa.hardware")
Q_LOGGING_CATEGORY(lcTcp, "veloxa.comm.tcp")
Q_LOGGING_CATEGORY(lcProtocol, "veloxa.comm.protocol")
Q_LOGGING_CATEGORY(lcControls, "veloxa.controls")
