#pragma once

#include <QString>
#include <QStringList>

// Every value of a store file as one line "key path | value name | type |
// data", sorted: two stores hold the same values exactly when their dumps
// are equal. Names keep their case; keys are listed by their full path.
namespace StoreDump {

QStringList lines(const QString& storeFile);

}  // namespace StoreDump
