#include "dsp/filter_coef.h"

void filterCoef_resetTables() {}

void filterCoef_calcTables() {}
