#include "hardware/hrcgroupcombo.h"

HRCGroupCombo::HRCGroupCombo() = default;
