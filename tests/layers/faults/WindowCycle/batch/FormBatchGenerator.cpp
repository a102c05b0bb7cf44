// Two windows that include each other.
#include "lang/FormSettings.h"
