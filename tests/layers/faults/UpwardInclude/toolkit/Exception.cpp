// An upward include.
#include "toolkit/Exception.h"
#include "app/Form1.h"
