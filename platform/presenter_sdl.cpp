#include "platform/internal.h"
namespace plat {
Presenter* makeSdlPresenter() { return nullptr; }
}
