#pragma once
// Where the book lies and what the program is called, from the program file's own name.
#include <QString>

namespace sorvek {

struct BookLocation {
    QString folder;  // absolute, "/" separators, no trailing "/" (but "/" itself)
    QString title;   // the application title
};

// "Sorvek.bin" beside it opens the folder "Sorvek"; a name holding "$", "%" or ";" encodes the
// folder itself ("$home$ann$Books.bin" opens "/home/ann/Books") and the title is "sorvek".
BookLocation bookLocationFromProgram(const QString &programFilePath);

// The configurable web addresses of the product (help, news, home page).
struct WebAddresses {
    QString base;  // e.g. "https://sorvek.example.jp"; SORVEK_WEB_BASE overrides it
    QString helpUrl(const QString &applicationTitle) const;
    QString newsUrl() const;
    QString homeUrl() const;
};
WebAddresses webAddresses();

} // namespace sorvek
