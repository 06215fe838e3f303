#include <gtest/gtest.h>

#include <QCoreApplication>

#include "schema/schema.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zmk::schema::InstallFieldTypeResolver();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
