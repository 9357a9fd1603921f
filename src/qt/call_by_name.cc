#include "qt/call_by_name.h"

#include <array>

#include <QMetaMethod>
#include <QMetaObject>

#include "common/error.h"

namespace quindo {
namespace {

// QMetaMethod::invoke takes at most ten arguments.
constexpr int kMaxArguments = 10;

QMetaMethod FindMember(const QMetaObject* meta, const QByteArray& name, int argument_count) {
  for (int i = meta->methodCount() - 1; i >= 0; --i) {
    const QMetaMethod method = meta->method(i);
    if (method.access() != QMetaMethod::Public) continue;
    if (method.methodType() != QMetaMethod::Slot && method.methodType() != QMetaMethod::Method) continue;
    if (method.name() == name && method.parameterCount() == argument_count) return method;
  }
  return {};
}

}  // namespace

QVariant CallByName(QObject* object, const char* member, const QVariantList& arguments) {
  if (object == nullptr) throw Error(kObjectRequired);
  const QMetaMethod method = FindMember(object->metaObject(), QByteArray(member), arguments.size());
  if (!method.isValid() || arguments.size() > kMaxArguments) throw Error(kObjectDoesntSupportMember);

  // Each argument converted to its parameter's type; they must outlive the
  // call, since the generic arguments point into them.
  std::array<QVariant, kMaxArguments> converted;
  std::array<QGenericArgument, kMaxArguments> generic;
  for (int i = 0; i < arguments.size(); ++i) {
    const QMetaType type = method.parameterMetaType(i);
    converted[i] = arguments[i];
    if (type.id() != QMetaType::QVariant && !converted[i].convert(type)) throw Error(kTypeMismatch);
    generic[i] = type.id() == QMetaType::QVariant ? QGenericArgument("QVariant", &arguments[i])
                                                  : QGenericArgument(type.name(), converted[i].constData());
  }

  QVariant result;
  QGenericReturnArgument return_argument;
  const QMetaType return_type = method.returnMetaType();
  if (return_type.isValid() && return_type.id() != QMetaType::Void) {
    if (return_type.id() != QMetaType::QVariant) result = QVariant(return_type, nullptr);
    return_argument = return_type.id() == QMetaType::QVariant
                          ? QGenericReturnArgument("QVariant", &result)
                          : QGenericReturnArgument(return_type.name(), result.data());
  }
  const bool called =
      method.invoke(object, Qt::DirectConnection, return_argument, generic[0], generic[1], generic[2],
                    generic[3], generic[4], generic[5], generic[6], generic[7], generic[8], generic[9]);
  if (!called) throw Error(kObjectDoesntSupportMember);
  return result;
}

}  // namespace quindo
