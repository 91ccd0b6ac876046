#include "tmnks.h"

Tmnks::Tmnks(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("mnks"));
}
