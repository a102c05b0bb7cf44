// An upward include by a relative path.
#include "../lang/LangChanger.h"
