#include "tables/CSA_S16_09_Table.h"
