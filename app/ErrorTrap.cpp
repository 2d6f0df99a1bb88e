#include "app/ErrorTrap.h"

#include <new>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {

TrappedError trappedError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::out_of_range &) {
        return { 9, u"範囲の外の番号が使われました。"_s };
    } catch (const std::overflow_error &) {
        return { 6, u"数値が扱える範囲を超えました。"_s };
    } catch (const std::underflow_error &) {
        return { 6, u"数値が扱える範囲を超えました。"_s };
    } catch (const std::range_error &) {
        return { 6, u"数値が扱える範囲を超えました。"_s };
    } catch (const std::bad_alloc &) {
        return { 7, u"メモリが足りません。"_s };
    } catch (const std::logic_error &) {
        return { 5, u"処理に渡された値が正しくありません。"_s };
    } catch (...) {
        return { 51, u"予期しないエラーが起きました。"_s };
    }
}

QString trappedErrorText(const TrappedError &error)
{
    return QString::number(error.number) + error.description;
}

} // namespace tovarin
