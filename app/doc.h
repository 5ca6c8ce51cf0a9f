// The document: holds nothing, reads nothing, writes nothing.
#ifndef LANTREL_APP_DOC_H
#define LANTREL_APP_DOC_H

#include "framework/document.h"

class CDorvelDoc : public CDocument {
    DECLARE_DYNCREATE(CDorvelDoc)

public:
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
};

#endif
