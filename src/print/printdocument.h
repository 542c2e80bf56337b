#pragma once
// The frame of the documents written to the print folder: an HTML 4.01 head with a charset and a
// title, then the body. Texts are built with CR between lines and written as lines.
#include <QString>

namespace sorvek {

// DOCTYPE (with its blank), HTML, HEAD, the two META lines, the TITLE, "</HEAD>" and "<BODY>",
// each ended by CR.
QString printDocumentHead(const QString &title, const QString &charset);
// "</BODY>" CR "</HTML>".
QString printDocumentTail();

} // namespace sorvek
