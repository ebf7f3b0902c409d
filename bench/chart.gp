# Bar chart of each contender's time relative to zorvitan-cli, one bar per site.
#   gnuplot -e "data='results.dat'; out='results.png'" bench/chart.gp
set terminal pngcairo size 900,480 font ",10"
set output out
set title "Median wall time relative to zorvitan-cli (lower is faster)"
set style data histograms
set style histogram clustered gap 1
set style fill solid 0.8 border -1
set logscale y 10
set yrange [0.05:*]
set ylabel "× zorvitan-cli (log scale)"
set grid ytics
set key top left autotitle columnheader
set xtics rotate by -20 noenhanced
set datafile missing "-"
# zorvitan-cli itself sits on this line.
set arrow from graph 0, first 1 to graph 1, first 1 nohead dt 2 lc rgb "#444444"
columns = system("head -1 " . data . " | wc -w")
plot for [i=2:columns] data using i:xtic(1)
