#include "doc.h"

IMPLEMENT_DYNCREATE(CDorvelDoc)
