#pragma once

// File dialog filters. The program states them as "Name|patterns|Name|
// patterns" with patterns separated by ";" ("HTML files(*.htm;*.html)|
// *.htm;*.html"); Qt wants "Name (patterns);;Name (patterns)".

#include <QString>

namespace velmora {

// "Name|*.a;*.b|Other|*.*" -> "Name (*.a *.b);;Other (*)". A pattern list
// already written in the name is replaced by the real one.
QString DialogFilter(const QString& pairs);

}  // namespace velmora
