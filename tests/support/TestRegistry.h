#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// Every test class of a folder registers itself with KVT_TEST; the folder's one executable
// runs them all (QTest runs one object per call).
namespace kvt::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<std::pair<const char*, TestFactory>>& Registry();

struct Registrar {
    Registrar(const char* name, TestFactory factory) { Registry().emplace_back(name, std::move(factory)); }
};

} // namespace kvt::test

#define KVT_TEST(Class) \
    static const ::kvt::test::Registrar kvtRegistrar_##Class(#Class, [] { return std::make_unique<Class>(); });
