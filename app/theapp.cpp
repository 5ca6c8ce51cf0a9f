// The one application object of the program; its name comes from the title string ("Dorvel").
#include "app/lantrel.h"

CDorvelApp theApp;
