# Windows has no /dev/stdin; Wine shows it as a device, which has no
# positions, so the source is refused with the search's seek error before
# the destination is looked at.  The input stays untouched all the same.
/^== source \/dev\/stdin reading the destination$/{
n
s/.*/bondscope: Fatal error in fseek(): Illegal seek/
}
