// Two windows that include each other.
#include "batch/FormBatchGenerator.h"
