#include "doc.h"

IMPLEMENT_DYNCREATE(CDorvelDoc)

void CDorvelDoc::Serialize(CArchive&) {}

BOOL CDorvelDoc::OnNewDocument() {
    return CDocument::OnNewDocument() ? TRUE : FALSE;
}
