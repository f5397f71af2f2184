#pragma once
// Writes a C++ source that carries a block of bytes as a constant array, so that the data
// ends up inside the executable and nothing has to be found on disk at run time.

#include <QByteArray>
#include <QString>

class EmbeddedSourceWriter {
  public:
    // header: the file the source includes for the accessor's declaration.
    // accessor: the function that returns the bytes as a SkinPackageBlob.
    EmbeddedSourceWriter(QString header, QString accessor);

    QByteArray Write(const QByteArray& bytes) const;

  private:
    QString m_header;
    QString m_accessor;
};
