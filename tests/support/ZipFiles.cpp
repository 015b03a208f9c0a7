#include "support/ZipFiles.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QFile>
#include <list>

void writeZip(const QString& host, const QStringList& names) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(host).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    std::list<QByteArray> contents;
    for (const QString& name : names) {
        contents.push_back(name.toUtf8());
        if (name.endsWith(u'/')) {
            zip_dir_add(archive, contents.back().constData(), ZIP_FL_ENC_UTF_8);
            continue;
        }
        zip_source_t* data =
            zip_source_buffer(archive, contents.back().constData(), contents.back().size(), 0);
        ASSERT_GE(zip_file_add(archive, contents.back().constData(), data, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}
