#pragma once
// Late binding on a host QObject: calls the slot or invokable method of a
// given name, as a form's members are called by name. The week chart's and
// the month view's host adapters are built on it.

#include <QObject>
#include <QVariant>
#include <QVariantList>
#include "common/export.h"

namespace quindo {

// Calls the public slot or Q_INVOKABLE method `member` of the object that
// takes as many arguments as given (overloads with default arguments count
// as one method per count), converting each argument to the parameter's
// type, and returns its result (an invalid QVariant for void). Raises 438
// ("Object doesn't support this property or method") when the object has no
// such member, 13 when an argument does not convert, and 424 for a null
// object. The member runs directly, on the calling thread; it must not throw.
QUINDO_EXPORT QVariant CallByName(QObject* object, const char* member, const QVariantList& arguments = {});

}  // namespace quindo
