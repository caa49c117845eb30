#include "widgets/modal.h"

#include <QDialog>

namespace Modal {

namespace {
Hook &hook()
{
    static Hook instance;
    return instance;
}
} // namespace

int exec(QDialog &dialog)
{
    if (hook())
        return hook()(dialog);
    return dialog.exec();
}

void setHook(Hook newHook)
{
    hook() = std::move(newHook);
}

} // namespace Modal
