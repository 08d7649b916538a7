# The per-order-number tally of an order file as a plain awk program: the peer that velmora-tally
# races in bench/run. One line per order number of the picker file, in its order: the number,
# "=", how many order cells hold it, "枚 ", then " [row]" and the first 4 bytes of the row's name
# for each such cell; then "合計 amount円(count枚)". A row's order cells are its fields after the
# name up to the first empty one; a row without a name has none. Bytes as they stand (CP932).
#
# usage: LC_ALL=C mawk -v picker=VELMORA_CBANGO.TXT [-v price=50] -f per_order.awk ORDER_FILE
BEGIN {
  FS = "\t"
  if (price == "") price = 50
  entries = 0
  while ((getline number < picker) > 0) {
    sub(/\r$/, "", number)
    picked[++entries] = number
  }
  close(picker)
  photos = "\226\207"           # 枚
  yen = "\211\176"              # 円
  total_word = "\215\207\214\166"  # 合計
}

{
  sub(/\r$/, "")
  if ($1 == "") next
  name = substr($1, 1, 4)
  for (f = 2; f <= NF && $f != ""; f++) {
    count[$f]++
    rows[$f] = rows[$f] " [" NR "]" name
  }
}

END {
  sum = 0
  for (e = 1; e <= entries; e++) {
    number = picked[e]
    printf "%s=%d%s %s\n", number, count[number], photos, rows[number]
    sum += count[number]
  }
  printf "%s %d%s(%d%s)\n", total_word, sum * price, yen, sum, photos
}
