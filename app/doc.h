// The document: holds nothing, reads nothing, writes nothing (the framework's document does
// all of that already).
#ifndef LANTREL_APP_DOC_H
#define LANTREL_APP_DOC_H

#include "framework/document.h"

class CDorvelDoc : public CDocument {
    DECLARE_DYNCREATE(CDorvelDoc)
};

#endif
